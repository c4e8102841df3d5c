#include "graph/LineReader.h"

#include <cstring>

bool LineReader::ReadLine(std::string& line)
{
    if (m_nPos >= m_nLength)
        return false;
    const char* start = m_text + m_nPos;
    const void* cr = std::memchr(start, '\r', m_nLength - m_nPos);
    std::size_t end = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - m_text) : m_nLength;
    line.assign(start, end - m_nPos);
    // Past the CR and the character after it, never beyond the end.
    m_nPos = end + 2 < m_nLength ? end + 2 : m_nLength;
    return true;
}
