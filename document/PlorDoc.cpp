#include "document/PlorDoc.h"

#include <algorithm>
#include <memory>
#include <new>
#include <string>
#include <utility>

#include "app/resource.h"
#include "dialogs/GraphDataDlg.h"
#include "dialogs/GraphOptionsDlg.h"
#include "document/BackgroundTask.h"
#include "document/DataLineRows.h"
#include "document/DataLines.h"
#include "graph/AxisScale.h"
#include "framework/CmdUI.h"
#include "framework/Exception.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNCREATE(CPlorDoc)

BEGIN_MESSAGE_MAP(CPlorDoc, CDocument)
    ON_COMMAND(ID_EDIT_GRAPH_DATA, OnEditGraphData)
    ON_COMMAND(ID_EDIT_GRAPH_OPTIONS, OnGraphOptions)
    ON_UPDATE_COMMAND_UI(ID_EDIT_GRAPH_OPTIONS, OnUpdateGraphOptions)
    ON_COMMAND(ID_FILE_NEW_DATA, OnNewGraph)
END_MESSAGE_MAP()

namespace {

const int kLineGrowth = 64;
const unsigned kReadPiece = 256 << 10;

// What Graph Options chose for one axis.
struct AxisChoice {
    BOOL fixed;
    double lo;
    double hi;
    int incrementIndex;  // in the increments list; -1 for none
};

// The document's state of that axis.
struct AxisState {
    BOOL& useScale;
    double& min;
    double& max;
    const double (&dataRange)[2];
    int& savedIncrements;
    int& increments;
};

// One axis taken back from the dialog: a fixed scale chooses its own
// increments (remembering those in force when it is first fixed), an
// automatic one follows the data with the increments picked in the list.
void ApplyAxisChoice(const AxisChoice& choice, const AxisState& axis)
{
    if (choice.fixed) {
        axis.min = choice.lo;
        axis.max = choice.hi;
        if (!axis.useScale)
            axis.savedIncrements = axis.increments;
        axis.increments = ChooseIncrements(axis.min, axis.max);
    } else {
        axis.min = axis.dataRange[0];
        axis.max = axis.dataRange[1];
        if (choice.incrementIndex >= 0)
            axis.increments = choice.incrementIndex + 2;
    }
    axis.useScale = choice.fixed;
}

// The message that refuses a data text.
UINT FaultMessage(DataTextFault fault)
{
    switch (fault) {
    case DataTextFault::TwoBlankLines:
        return IDS_TWO_BLANK_LINES;
    case DataTextFault::NotEnoughData:
        return IDS_NOT_ENOUGH_DATA;
    case DataTextFault::NotDataFile:
    case DataTextFault::None:
        break;
    }
    return IDS_NOT_PLOTRA_FILE;
}

// Reads the whole file into lines, its text becoming their storage; returns
// how many lines it held. A short file leaves the document's usual 64 lines.
int ReadLines(CFile& file, TextLines& lines)
{
    const unsigned long long length = file.GetLength();
    // The lines count their text in 32 bits, and the 32-bit build's strings
    // hold at most 1 GB.
    if (length >= 0xFFFFFFFFull || length >= std::string().max_size())
        throw std::bad_alloc();
    // Read in pieces that stay in the processor's cache while they are split.
    lines.BeginText(static_cast<std::size_t>(length));
    std::unique_ptr<char[]> piece(new char[kReadPiece]);
    for (unsigned long long got = 0; got < length;) {
        const unsigned want = static_cast<unsigned>(std::min<unsigned long long>(kReadPiece, length - got));
        const unsigned n = file.Read(piece.get(), want);
        if (n == 0)
            break;
        lines.AppendText(piece.get(), n);
        got += n;
    }
    int count = lines.EndText();
    if (count < kLineGrowth)
        lines.SetSize(kLineGrowth);
    return count;
}

}  // namespace

CPlorDoc::CPlorDoc()
    : m_graph(), m_xDataRange(), m_yDataRange(), m_savedYIncrements(0), m_savedXIncrements(0), m_useYScale(FALSE),
      m_useXScale(FALSE), m_settingsLoaded(FALSE), m_separators(kDataSeparators), m_separator(kDataSeparators[2])
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
    m_pConvertedAhead.reset();
    m_nDataLines = 0;
    // The scale limits are left as they are: the next conversion sets them.
    ApplyLook(NewDocumentSettings());
    m_graph.curveColor = 0;
    m_graph.areaWidth = 0;
    m_graph.areaHeight = 0;
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
    if (ar.IsStoring()) {
        // Line by line: the text written may be larger than any one block
        // the program could hold.
        for (int i = 0; i < m_graph.pointCount; ++i) {
            std::string line = FormatDataLine(LineText(i));
            ar.Write(line.data(), line.size());
        }
        std::string trailer = FormatDataTextTrailer(CaptureSettings());
        ar.Write(trailer.data(), trailer.size());
        return;
    }
    // A file too large to hold is refused as points that find no memory are.
    int count = 0;
    if (!AfxRunUnlessOutOfMemory([&] { count = ReadDataLines(ar); })) {
        ReportError(IDS_NO_MEMORY_FOR_GRAPH);
        AfxThrowFileException(CFileException::generic);
    }
    // Points converted ahead are taken by the conversion, or go with the
    // contents a failed load deletes.
    if (ParseText(count))
        AfxThrowFileException(CFileException::generic);
}

// What OnPrepareOpen started: its own handle on the file and the lines read
// from it. The task is the last member, so it has ended before the rest goes.
struct CPlorDoc::ReadAhead {
    CFile file;
    unsigned long long length = 0;
    TextLines lines;
    int count = 0;
    std::unique_ptr<ConvertedPoints> points;
    std::unique_ptr<CBackgroundTask> reading;
};

// Lines 0 to n - 1 converted and, when every one converted, sorted.
struct CPlorDoc::ConvertedPoints {
    int n = 0;
    ConvertResult result = { LineFault::None, -1 };
    std::unique_ptr<float[]> x;
    std::unique_ptr<float[]> y;
};

CPlorDoc::ConvertedPoints CPlorDoc::ConvertPoints(const TextLines& lines, int n)
{
    ConvertedPoints points;
    points.n = n;
    points.x.reset(new float[n]);
    points.y.reset(new float[n]);
    points.result = ConvertDataLinesOnTwoThreads(n, [&](int i) { return lines[i]; }, points.x.get(), points.y.get());
    if (points.result.fault == LineFault::None)
        SortPointsByX(n, points.x.get(), points.y.get());
    return points;
}

int CPlorDoc::ReadAndConvert(CFile& file, TextLines& lines, std::unique_ptr<ConvertedPoints>& points)
{
    const int count = ReadLines(file, lines);
    // The data lines of a text that passes its check.
    int n = 0;
    while (n < count && !lines[n].empty())
        ++n;
    // Fewer than two make no graph; the check refuses them.
    if (n < 2)
        return count;
    try {
        points.reset(new ConvertedPoints(ConvertPoints(lines, n)));
    } catch (const std::exception&) {
        // Only time is lost: the document converts the lines itself, and
        // tells of a lack of memory as it does.
    }
    return count;
}

void CPlorDoc::OnPrepareOpen(const char* pszPathName)
{
    // Without the memory to start reading now, the open reads the file itself.
    AfxRunUnlessOutOfMemory([&] { StartReadAhead(pszPathName); });
}

void CPlorDoc::StartReadAhead(const char* pszPathName)
{
    std::unique_ptr<ReadAhead> ahead(new ReadAhead);
    CFileException error;
    if (!ahead->file.Open(pszPathName, CFile::modeRead, &error))
        return;  // the open that follows reports it
    try {
        ahead->length = ahead->file.GetLength();
    } catch (const CFileException&) {
        return;
    }
    // A small file reads faster than a thread starts.
    if (ahead->length <= kLargeTextWarningSize)
        return;
    ahead->lines.SetSize(kLineGrowth, kLineGrowth);
    ReadAhead* p = ahead.get();
    p->reading.reset(new CBackgroundTask([p] { p->count = ReadAndConvert(p->file, p->lines, p->points); }));
    m_pReadAhead = std::move(ahead);
}

BOOL CPlorDoc::OnOpenDocument(const char* pszPathName)
{
    BOOL ok = CDocument::OnOpenDocument(pszPathName);
    // Taken by the load, or of no use once it failed before reading.
    m_pReadAhead.reset();
    return ok;
}

int CPlorDoc::ReadDataLines(CArchive& ar)
{
    std::unique_ptr<ReadAhead> ahead = std::move(m_pReadAhead);
    const unsigned long long length = ar.GetFile()->GetLength();
    if (length <= kLargeTextWarningSize)
        return ReadLines(*ar.GetFile(), m_lines);
    if (ahead && ahead->length == length &&
        ahead->file.GetFilePath().CompareNoCase(ar.GetFile()->GetFilePath()) == 0) {
        AfxMessageBox(IDS_LARGE_FILE, MB_OK | MB_ICONEXCLAMATION);
        BeginWaitUntilPainted();
        ahead->reading->Wait();
        m_lines = std::move(ahead->lines);
        m_pConvertedAhead = std::move(ahead->points);
        return ahead->count;
    }
    // Not read ahead: read while the warning is on the screen. The lines go
    // into an array of their own meanwhile, so that nothing the box's
    // message loop runs can meet a list being filled.
    int count = 0;
    TextLines lines = std::move(m_lines);
    std::unique_ptr<ConvertedPoints> points;
    CBackgroundTask reading([&] { count = ReadAndConvert(*ar.GetFile(), lines, points); });
    AfxMessageBox(IDS_LARGE_FILE, MB_OK | MB_ICONEXCLAMATION);
    BeginWaitUntilPainted();
    reading.Wait();
    m_lines = std::move(lines);
    m_pConvertedAhead = std::move(points);
    return count;
}

DataTextSettings CPlorDoc::CaptureSettings() const
{
    const GraphParams& g = m_graph;
    return { m_strGraphTitle.str(), m_strXLabel.str(), m_strYLabel.str(), g.xIncrements, g.yIncrements,
             g.pointType, g.pointSize, g.lineType, g.lineSize, g.showGrid, m_useYScale, g.yMin, g.yMax,
             m_useXScale, g.xMin, g.xMax, m_settingsLoaded };
}

void CPlorDoc::ApplyLook(const DataTextSettings& s)
{
    SetGraphTitle(CString(s.title));
    SetXLabel(CString(s.xLabel));
    SetYLabel(CString(s.yLabel));
    GraphParams& g = m_graph;
    g.xIncrements = s.xIncrements;
    g.yIncrements = s.yIncrements;
    g.pointType = s.pointType;
    g.pointSize = s.pointSize;
    g.lineType = s.lineType;
    g.lineSize = s.lineSize;
    g.showGrid = s.showGrid;
    m_useYScale = s.useYScale;
    m_useXScale = s.useXScale;
}

void CPlorDoc::ApplySettings(DataTextSettings s)
{
    // A file may hold anything; the drawing takes only what it can draw.
    BringSettingsIntoRange(s);
    ApplyLook(s);
    m_graph.yMin = s.yMin;
    m_graph.yMax = s.yMax;
    m_graph.xMin = s.xMin;
    m_graph.xMax = s.xMax;
    m_settingsLoaded = s.settingsLoaded;
}

BOOL CPlorDoc::ParseText(int nLines)
{
    if (nLines > m_lines.GetSize())
        nLines = m_lines.GetSize();
    DataTextSettings settings = CaptureSettings();
    DataTextResult result =
        ParseDataText(nLines, [this](int i) { return LineText(i); }, settings);
    if (result.fault != DataTextFault::None) {
        ReportError(FaultMessage(result.fault));
        return TRUE;
    }
    ApplySettings(settings);
    m_separator = result.separator;
    m_graph.pointCount = result.dataCount;
    return ConvertLines();
}

BOOL CPlorDoc::ConvertLines()
{
    int n = m_graph.pointCount;
    if (n > m_lines.GetSize())
        n = m_lines.GetSize();
    if (n <= 0)
        return TRUE;
    m_nDataLines = n;
    FreePoints();
    // The points made while the file was read, when they are of these lines.
    std::unique_ptr<ConvertedPoints> ahead = std::move(m_pConvertedAhead);
    ConvertedPoints points;
    if (ahead && ahead->n == n) {
        points = std::move(*ahead);
    } else {
        ahead.reset();
        if (!AfxRunUnlessOutOfMemory([&] { points = ConvertPoints(m_lines, n); })) {
            ReportError(IDS_NO_MEMORY_FOR_GRAPH);
            return TRUE;
        }
    }
    const ConvertResult result = points.result;
    if (result.fault != LineFault::None) {
        AfxMessageBox(LineFaultMessage(result.fault, result.line + 1).c_str(), MB_OK);
        return TRUE;
    }
    m_graph.xValues = points.x.release();
    m_graph.yValues = points.y.release();
    m_graph.pointCount = n;
    UpdateRanges();
    return FALSE;
}

void CPlorDoc::UpdateRanges()
{
    GraphParams& g = m_graph;
    ComputeRange(g.xValues, g.pointCount, m_xDataRange);
    ComputeRange(g.yValues, g.pointCount, m_yDataRange);
    if (!m_useYScale) {
        g.yMin = m_yDataRange[0];
        g.yMax = m_yDataRange[1];
    }
    if (!m_useXScale) {
        g.xMin = m_xDataRange[0];
        g.xMax = m_xDataRange[1];
    }
    // Increments read from a file stay in force, unless they are too few to
    // divide an axis; otherwise they follow the data.
    if (!m_settingsLoaded || g.yIncrements <= 1)
        g.yIncrements = ChooseIncrements(m_yDataRange);
    m_savedYIncrements = g.yIncrements;
    if (!m_settingsLoaded || g.xIncrements <= 1)
        g.xIncrements = ChooseIncrements(m_xDataRange);
    m_savedXIncrements = g.xIncrements;
}

void CPlorDoc::OnNewGraph()
{
    AfxGetApp()->OnFileNew();
    OnEditGraphData();
}

void CPlorDoc::OnEditGraphData()
{
    // Without memory for the rows, or for the edited lines, the document
    // stays as it was.
    if (!AfxRunUnlessOutOfMemory([this] { EditGraphData(); }))
        AfxMessageBox(IDS_NO_MEMORY_FOR_GRAPH, MB_OK | MB_ICONSTOP);
}

void CPlorDoc::EditGraphData()
{
    CGraphDataDlg dialog;
    DataLineRows rows(m_lines, m_nDataLines, m_separator);
    dialog.m_pRowList = &rows;
    dialog.m_nRows = m_nDataLines + 1;
    dialog.m_chSeparator = m_separator;
    if (dialog.DoModal() != IDOK || !dialog.m_bDataChanged)
        return;
    TextLines edited;
    edited.SetSize(0, 32);
    edited.Reserve(dialog.m_nRows - 1, 0);
    for (int i = 1; i < dialog.m_nRows; ++i)
        edited.Add(rows.Row(i));
    // The count changes only with the lines, which are all there by now.
    m_lines = std::move(edited);
    m_graph.pointCount = dialog.m_nRows - 1;
    // A line refused by the conversion stays for the user to correct; the
    // view then shows its prompt.
    ConvertLines();
    SetModifiedFlag(TRUE);
    UpdateAllViews(nullptr);
}

void CPlorDoc::OnGraphOptions()
{
    CGraphOptionsDlg dialog;
    FillOptionsDialog(dialog);
    if (dialog.DoModal() != IDOK)
        return;
    GraphParams& g = m_graph;
    g.pointType = dialog.m_nPointType;
    g.pointSize = dialog.m_nPointSize;
    g.lineType = dialog.m_nLineType;
    g.lineSize = dialog.m_nLineSize;
    g.showGrid = dialog.m_bGrid;
    SetGraphTitle(dialog.m_strTitle);
    SetXLabel(dialog.m_strXLabel);
    SetYLabel(dialog.m_strYLabel);
    ApplyAxisChoice({ dialog.m_bUseYScale, dialog.m_dYMin, dialog.m_dYMax, dialog.m_nYIncrementIndex },
                    { m_useYScale, g.yMin, g.yMax, m_yDataRange, m_savedYIncrements, g.yIncrements });
    ApplyAxisChoice({ dialog.m_bUseXScale, dialog.m_dXMin, dialog.m_dXMax, dialog.m_nXIncrementIndex },
                    { m_useXScale, g.xMin, g.xMax, m_xDataRange, m_savedXIncrements, g.xIncrements });
    SetModifiedFlag(TRUE);
    UpdateAllViews(nullptr);
}

void CPlorDoc::FillOptionsDialog(CGraphOptionsDlg& dialog)
{
    const GraphParams& g = m_graph;
    dialog.m_pDoc = this;
    dialog.m_nPointType = g.pointType;
    dialog.m_nPointSize = g.pointSize;
    dialog.m_nLineType = g.lineType;
    dialog.m_nLineSize = g.lineSize;
    dialog.m_bGrid = g.showGrid;
    dialog.m_strTitle = m_strGraphTitle;
    dialog.m_strXLabel = m_strXLabel;
    dialog.m_strYLabel = m_strYLabel;
    dialog.m_bUseXScale = m_useXScale;
    dialog.m_nXIncrementIndex = g.xIncrements - 2;
    dialog.m_nYIncrementIndex = g.yIncrements - 2;
    dialog.m_nSavedYIncrements = m_savedYIncrements;
    dialog.m_nSavedXIncrements = m_savedXIncrements;
    dialog.m_bUseYScale = m_useYScale;
    if (m_useYScale) {
        dialog.m_dYMin = g.yMin;
        dialog.m_dYMax = g.yMax;
    }
    if (m_useXScale) {
        dialog.m_dXMin = g.xMin;
        dialog.m_dXMax = g.xMax;
    }
}

void CPlorDoc::OnUpdateGraphOptions(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_graph.pointCount > 1);
}
