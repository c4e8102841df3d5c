#pragma once
// CMetaFileDC: records drawing into an enhanced metafile in memory, like any
// device context, and takes long runs of drawing records written by the
// caller itself (CMetaRecordWriter), where GDI would cost a call per record.
// Each run stands where it was inserted among the recorded drawing; when the
// recording ends, the header's size, record and handle counts, bounds and
// frame take the runs in.
#include <windows.h>

#include <memory>
#include <vector>

#include "framework/Dc.h"

class CMetaRecordWriter;

// What writes one run. It is asked twice with the same handle index: once
// to measure the run (the writer has no output), once to write it when the
// recording ends; what it draws must not change in between.
class CMetaRecordSource {
public:
    virtual ~CMetaRecordSource() = default;
    // How many objects the run creates, at nFirstHandle and after.
    virtual DWORD Handles() const = 0;
    virtual void Write(CMetaRecordWriter& writer, DWORD nFirstHandle) const = 0;
};

class CMetaFileDC : public CDC {
public:
    CMetaFileDC() = default;
    ~CMetaFileDC() override;

    // A metafile for the screen, its frame the bounds of what is drawn.
    BOOL CreateEnhanced();
    // Places the source's run here. Afterwards GDI knows the position where
    // the run leaves it.
    void InsertRecords(std::unique_ptr<CMetaRecordSource> pSource);
    // Ends the recording: the metafile's bytes with every run in its place
    // (SetEnhMetaFileBits makes the metafile of them), or none when they
    // could not be made (no memory for them, or more than 4 GB).
    std::vector<BYTE> CloseEnhanced();

private:
    struct Run {
        std::unique_ptr<CMetaRecordSource> pSource;
        ULONGLONG nBytes;
        DWORD nRecords;
    };

    std::vector<BYTE> Splice(const std::vector<BYTE>& recorded);
    int FindRun(const ENHMETARECORD* pRecord) const;

    std::vector<Run> m_runs;
    RECTL m_runBounds = { 0, 0, -1, -1 };  // device units
    bool m_bInclusiveBoxes = true;
};
