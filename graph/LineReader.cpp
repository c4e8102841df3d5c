#include "graph/LineReader.h"

#include "framework/LineSplitter.h"

bool LineReader::ReadLine(std::string& line)
{
    return ReadArchiveLine(m_text, m_nLength, m_nPos, line);
}
