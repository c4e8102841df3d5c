#include "document/PlorDoc.h"

#include "app/resource.h"
#include "framework/CmdUI.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNCREATE(CPlorDoc)

BEGIN_MESSAGE_MAP(CPlorDoc, CDocument)
    ON_COMMAND(ID_EDIT_GRAPH_DATA, OnEditGraphData)
    ON_COMMAND(ID_EDIT_GRAPH_OPTIONS, OnGraphOptions)
    ON_UPDATE_COMMAND_UI(ID_EDIT_GRAPH_OPTIONS, OnUpdateGraphOptions)
    ON_COMMAND(ID_FILE_NEW_DATA, OnNewGraph)
END_MESSAGE_MAP()

namespace {

// The characters that separate the two numbers of a data line.
const char kSeparators[] = " \t,";
const int kLineGrowth = 64;

}  // namespace

CPlorDoc::CPlorDoc()
    : m_graph(), m_xDataRange(), m_yDataRange(), m_savedYIncrements(0), m_savedXIncrements(0), m_useYScale(FALSE),
      m_useXScale(FALSE), m_settingsLoaded(FALSE), m_separators(kSeparators), m_separator(kSeparators[2])
{
    m_lines.SetSize(kLineGrowth, kLineGrowth);
}

CPlorDoc::~CPlorDoc()
{
    FreePoints();
    m_lines.RemoveAll();
}

void CPlorDoc::FreePoints()
{
    delete[] m_graph.xValues;
    delete[] m_graph.yValues;
    m_graph.xValues = nullptr;
    m_graph.yValues = nullptr;
    m_graph.pointCount = 0;
}

void CPlorDoc::SetGraphTitle(const CString& title)
{
    m_strGraphTitle = title;
    m_graph.title = m_strGraphTitle;
}

void CPlorDoc::SetXLabel(const CString& label)
{
    m_strXLabel = label;
    m_graph.xLabel = m_strXLabel;
}

void CPlorDoc::SetYLabel(const CString& label)
{
    m_strYLabel = label;
    m_graph.yLabel = m_strYLabel;
}

void CPlorDoc::DeleteContents()
{
    m_lines.RemoveAll();
    m_lines.SetSize(kLineGrowth, kLineGrowth);
    FreePoints();
    SetGraphTitle("Graph Title");
    SetXLabel("X Axis Label");
    SetYLabel("Y Axis Label");
    m_graph.pointType = 1;
    m_graph.lineType = 1;
    m_graph.showGrid = 1;
    m_graph.pointSize = 0;
    m_graph.lineSize = 0;
    m_graph.xIncrements = 5;
    m_graph.yIncrements = 4;
    m_graph.curveColor = 0;
    m_graph.areaWidth = 0;
    m_graph.areaHeight = 0;
    m_useYScale = FALSE;
    m_useXScale = FALSE;
    m_settingsLoaded = FALSE;
    m_separator = m_separators[2];
}

BOOL CPlorDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    DeleteContents();
    return TRUE;
}

void CPlorDoc::ReportError(UINT nID)
{
    AfxMessageBox(nID, MB_OK | MB_ICONSTOP);
    DeleteContents();
}

void CPlorDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        return;
    CString line;
    for (int i = 0; ar.ReadString(line); ++i)
        m_lines.SetAtGrow(i, line);
}

void CPlorDoc::OnNewGraph()
{
    AfxGetApp()->OnFileNew();
    OnEditGraphData();
}

void CPlorDoc::OnEditGraphData()
{
    // The Data to Graph dialog is not part of the program yet.
}

void CPlorDoc::OnGraphOptions()
{
    // The Graph Options dialog is not part of the program yet.
}

void CPlorDoc::OnUpdateGraphOptions(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_graph.pointCount > 1);
}
