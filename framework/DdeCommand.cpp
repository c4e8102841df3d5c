#include "framework/DdeCommand.h"

#include <cctype>

namespace {

void SkipSpaces(const std::string& text, std::size_t& pos)
{
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
}

bool Expect(const std::string& text, std::size_t& pos, char ch)
{
    SkipSpaces(text, pos);
    if (pos >= text.size() || text[pos] != ch)
        return false;
    ++pos;
    return true;
}

bool ExpectWord(const std::string& text, std::size_t& pos, const char* word)
{
    SkipSpaces(text, pos);
    for (; *word; ++word, ++pos) {
        if (pos >= text.size() || std::tolower(static_cast<unsigned char>(text[pos])) != *word)
            return false;
    }
    return true;
}

// One [open("name")] starting at pos; the name without its quotes.
bool ParseOne(const std::string& text, std::size_t& pos, std::string& name)
{
    if (!Expect(text, pos, '[') || !ExpectWord(text, pos, "open") || !Expect(text, pos, '(') ||
        !Expect(text, pos, '"'))
        return false;
    std::size_t end = text.find('"', pos);
    if (end == std::string::npos)
        return false;
    name = text.substr(pos, end - pos);
    pos = end + 1;
    return Expect(text, pos, ')') && Expect(text, pos, ']');
}

}  // namespace

std::vector<std::string> ParseDdeOpenCommands(const std::string& text)
{
    std::vector<std::string> names;
    std::size_t pos = 0;
    std::string name;
    while (ParseOne(text, pos, name)) {
        if (!name.empty())
            names.push_back(name);
        SkipSpaces(text, pos);
        if (pos >= text.size())
            break;
    }
    return names;
}
