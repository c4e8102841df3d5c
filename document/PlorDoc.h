#pragma once
// CPlorDoc: the one graph of the program: its data lines as typed or read, the
// points built from them, and every setting of the graph's appearance.
#include <memory>

#include "document/DataText.h"
#include "document/GraphParams.h"
#include "document/TextLines.h"
#include "framework/Document.h"

class CCmdUI;
class CGraphOptionsDlg;

class CPlorDoc : public CDocument {
    DECLARE_DYNCREATE(CPlorDoc)

public:
    CPlorDoc();
    ~CPlorDoc() override;
    void Serialize(CArchive& ar) override;
    void DeleteContents() override;
    BOOL OnNewDocument() override;
    // A large file's lines are read on a second thread while the frame is made.
    void OnPrepareOpen(const char* pszPathName) override;
    BOOL OnOpenDocument(const char* pszPathName) override;

    // Shows message nID with the stop icon, then resets the document.
    void ReportError(UINT nID);
    // Takes the first nLines of m_lines as a data text (data lines, then the
    // title, labels and settings) and converts the data. TRUE on failure,
    // after the user was told; a refused text resets the document.
    BOOL ParseText(int nLines);
    // Converts the first pointCount lines into sorted points. TRUE on failure
    // (points dropped, lines and settings kept), after the user was told.
    BOOL ConvertLines();
    // Data ranges, the scale limits that are not fixed, and the increments.
    void UpdateRanges();
    // Sets the title and axis labels, keeping m_graph's pointers to them valid.
    void SetGraphTitle(const CString& title);
    void SetXLabel(const CString& label);
    void SetYLabel(const CString& label);

    // Members in this order: the record comes first so the view can copy it whole.
    GraphParams m_graph;
    CString m_strGraphTitle;
    CString m_strXLabel;
    CString m_strYLabel;
    TextLines m_lines;
    double m_xDataRange[2];
    double m_yDataRange[2];
    int m_savedYIncrements;
    int m_savedXIncrements;
    BOOL m_useYScale;
    BOOL m_useXScale;
    BOOL m_settingsLoaded;
    const char* m_separators;
    char m_separator;
    // The data lines of the last conversion, also when it failed and the
    // points were dropped: the lines the user is shown to correct.
    int m_nDataLines = 0;

protected:
    void OnNewGraph();
    void OnEditGraphData();
    void OnGraphOptions();
    void OnUpdateGraphOptions(CCmdUI* pCmdUI);

private:
    struct ReadAhead;
    struct ConvertedPoints;

    void FreePoints();
    void StartReadAhead(const char* pszPathName);
    // Graph Data's dialog, and the lines it edited taken back.
    void EditGraphData();
    // Reads the archive's file into m_lines; returns how many lines it held.
    int ReadDataLines(CArchive& ar);
    // The points of lines 0 to n - 1, sorted when every line converted.
    static ConvertedPoints ConvertPoints(const TextLines& lines, int n);
    // Reads the file into lines, as ReadDataLines does, then makes what
    // ConvertLines will make of them: for the reading's thread while the
    // large-file warning is on the screen. Returns how many lines the file
    // held; points stay null where they could not be made (ConvertLines then
    // converts the lines itself).
    static int ReadAndConvert(CFile& file, TextLines& lines, std::unique_ptr<ConvertedPoints>& points);
    DataTextSettings CaptureSettings() const;
    // Line i as the portable parser and converter read it.
    TextLine LineText(int i) const { return m_lines[i]; }
    // Texts, markers, line, grid, increments and fixed-scale flags of settings.
    void ApplyLook(const DataTextSettings& settings);
    void ApplySettings(DataTextSettings settings);
    void FillOptionsDialog(CGraphOptionsDlg& dialog);

    // The lines of the file OnPrepareOpen was told of, until Serialize takes them.
    std::unique_ptr<ReadAhead> m_pReadAhead;
    // The points of the lines read, until ConvertLines takes them.
    std::unique_ptr<ConvertedPoints> m_pConvertedAhead;

    DECLARE_MESSAGE_MAP()
};
