#include "framework/MetaFileDC.h"

#include <cstring>
#include <new>

#include "framework/MetaRecordWriter.h"

namespace {

// The comment that holds a run's place until the recording ends: a tag the
// program's own drawing never writes, then the run's number.
const DWORD kRunTag = 0x6E755250;  // "PRun"
struct Placeholder {
    DWORD tag;
    DWORD run;
};
// The comment record: type, size, the data's size, the data.
const DWORD kPlaceholderBytes = 3 * sizeof(DWORD) + sizeof(Placeholder);

void AddToBounds(RECTL& bounds, const RECTL& add)
{
    if (add.left > add.right)
        return;
    if (bounds.left > bounds.right) {
        bounds = add;
        return;
    }
    bounds.left = add.left < bounds.left ? add.left : bounds.left;
    bounds.top = add.top < bounds.top ? add.top : bounds.top;
    bounds.right = add.right > bounds.right ? add.right : bounds.right;
    bounds.bottom = add.bottom > bounds.bottom ? add.bottom : bounds.bottom;
}

// The frame a metafile made without one gets from its bounds: the bounds in
// hundredths of a millimetre of the reference device.
LONG ToFrame(LONG pixels, LONG millimetres, LONG devicePixels)
{
    return static_cast<LONG>(static_cast<LONGLONG>(pixels) * millimetres * 100 / devicePixels);
}

}  // namespace

CMetaFileDC::~CMetaFileDC()
{
    if (m_hDC)
        ::DeleteEnhMetaFile(::CloseEnhMetaFile(m_hDC));
    if (m_hAttribDC)
        ::ReleaseDC(nullptr, m_hAttribDC);
    m_hDC = m_hAttribDC = nullptr;
}

BOOL CMetaFileDC::CreateEnhanced()
{
    m_hAttribDC = ::GetDC(nullptr);
    m_hDC = ::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    return m_hDC != nullptr;
}

void CMetaFileDC::InsertRecords(std::unique_ptr<CMetaRecordSource> pSource)
{
    m_bInclusiveBoxes = ::GetGraphicsMode(m_hDC) == GM_COMPATIBLE;
    CMetaRecordWriter measure(nullptr, 0, m_bInclusiveBoxes);
    pSource->Write(measure, 0);
    RECTL bounds = measure.Bounds();
    if (bounds.left <= bounds.right) {
        // Bounds are kept in device units, as GDI keeps them.
        ::LPtoDP(m_hDC, reinterpret_cast<POINT*>(&bounds), 2);
        RECTL device = { bounds.left < bounds.right ? bounds.left : bounds.right,
                         bounds.top < bounds.bottom ? bounds.top : bounds.bottom,
                         bounds.left < bounds.right ? bounds.right : bounds.left,
                         bounds.top < bounds.bottom ? bounds.bottom : bounds.top };
        AddToBounds(m_runBounds, device);
    }
    Placeholder placeholder = { kRunTag, static_cast<DWORD>(m_runs.size()) };
    ::GdiComment(m_hDC, sizeof placeholder, reinterpret_cast<const BYTE*>(&placeholder));
    m_runs.push_back({ std::move(pSource), measure.Bytes(), measure.Records() });
    // Later drawing relative to the position starts where the run ends.
    if (measure.Moved())
        MoveTo(measure.Position().x, measure.Position().y);
}

std::vector<BYTE> CMetaFileDC::CloseEnhanced()
{
    HENHMETAFILE hRecorded = ::CloseEnhMetaFile(m_hDC);
    m_hDC = nullptr;
    ::ReleaseDC(nullptr, m_hAttribDC);
    m_hAttribDC = nullptr;
    std::vector<BYTE> bits;
    try {
        std::vector<BYTE> recorded(hRecorded ? ::GetEnhMetaFileBits(hRecorded, 0, nullptr) : 0);
        if (!recorded.empty() &&
            ::GetEnhMetaFileBits(hRecorded, static_cast<UINT>(recorded.size()), recorded.data()) == recorded.size())
            bits = m_runs.empty() ? std::move(recorded) : Splice(recorded);
    } catch (const std::bad_alloc&) {
        bits.clear();
    }
    ::DeleteEnhMetaFile(hRecorded);
    m_runs.clear();
    return bits;
}

int CMetaFileDC::FindRun(const ENHMETARECORD* pRecord) const
{
    if (pRecord->iType != EMR_GDICOMMENT || pRecord->nSize != kPlaceholderBytes)
        return -1;
    const EMRGDICOMMENT* pComment = reinterpret_cast<const EMRGDICOMMENT*>(pRecord);
    Placeholder placeholder;
    std::memcpy(&placeholder, pComment->Data, sizeof placeholder);
    if (pComment->cbData != sizeof placeholder || placeholder.tag != kRunTag || placeholder.run >= m_runs.size())
        return -1;
    return static_cast<int>(placeholder.run);
}

std::vector<BYTE> CMetaFileDC::Splice(const std::vector<BYTE>& recorded)
{
    if (recorded.size() < sizeof(ENHMETAHEADER))
        return {};
    const ENHMETAHEADER& in = *reinterpret_cast<const ENHMETAHEADER*>(recorded.data());
    ULONGLONG total = recorded.size();
    ULONGLONG records = in.nRecords;
    DWORD handles = in.nHandles;
    for (const Run& run : m_runs) {
        // Each run takes the place of its comment.
        total = total + run.nBytes - kPlaceholderBytes;
        records = records + run.nRecords - 1;
        handles += run.pSource->Handles();
    }
    // The header counts bytes and records in 32 bits, handles in 16.
    if (total > MAXDWORD || records > MAXDWORD || handles > 0xFFFF)
        return {};
    std::vector<BYTE> out(static_cast<std::size_t>(total));
    std::size_t at = 0;
    DWORD nextHandle = in.nHandles;
    for (std::size_t offset = 0; offset + sizeof(EMR) <= recorded.size();) {
        const ENHMETARECORD* pRecord = reinterpret_cast<const ENHMETARECORD*>(recorded.data() + offset);
        if (pRecord->nSize < sizeof(EMR) || pRecord->nSize > recorded.size() - offset)
            return {};
        int run = FindRun(pRecord);
        std::size_t written = pRecord->nSize;
        if (run < 0) {
            if (written > total - at)
                return {};
            std::memcpy(out.data() + at, pRecord, written);
        } else {
            CMetaRecordWriter writer(out.data() + at, total - at, m_bInclusiveBoxes);
            m_runs[run].pSource->Write(writer, nextHandle);
            nextHandle += m_runs[run].pSource->Handles();
            if (writer.Overflowed() || writer.Bytes() != m_runs[run].nBytes)
                return {};
            written = writer.Bytes();
        }
        at += written;
        offset += pRecord->nSize;
    }
    if (at != total)
        return {};
    ENHMETAHEADER& header = *reinterpret_cast<ENHMETAHEADER*>(out.data());
    header.nBytes = static_cast<DWORD>(total);
    header.nRecords = static_cast<DWORD>(records);
    header.nHandles = static_cast<WORD>(handles);
    RECTL bounds = header.rclBounds;
    AddToBounds(bounds, m_runBounds);
    if (std::memcmp(&bounds, &header.rclBounds, sizeof bounds) != 0) {
        header.rclBounds = bounds;
        header.rclFrame = { ToFrame(bounds.left, header.szlMillimeters.cx, header.szlDevice.cx),
                            ToFrame(bounds.top, header.szlMillimeters.cy, header.szlDevice.cy),
                            ToFrame(bounds.right, header.szlMillimeters.cx, header.szlDevice.cx),
                            ToFrame(bounds.bottom, header.szlMillimeters.cy, header.szlDevice.cy) };
    }
    return out;
}
