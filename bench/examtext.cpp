#include "examtext.h"

#include <cstdio>

namespace {

// Common characters, three bytes each in UTF-8.
const char characterPool[] =
    "的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成会可主发"
    "年动同工也能下过子说产种面而方后多定行学法所民得经十三之进着等部度家电力里如"
    "水化高自二理起小物现实加量都两体制机当使点从业本去把性好应开它合还因由其些然"
    "前外天政四日那社义事平形相全表间样与关各重新线内数正心反你明看原又么利比或但"
    "质气第向道命此变条只没结解问意建月公无系军很情者最立代想已通并提直题程展五果";

constexpr std::size_t characterBytes = 3;
constexpr std::size_t characterCount = (sizeof characterPool - 1) / characterBytes;
constexpr int lineLength = 40;

} // namespace

std::string chineseText(std::size_t bytes, unsigned seed)
{
    std::string text;
    text.reserve(bytes);
    unsigned state = seed * 2654435761u + 1u;
    int column = 0;
    while (bytes - text.size() >= characterBytes) {
        if (column == lineLength && bytes - text.size() > characterBytes) {
            text += '\n';
            column = 0;
            continue;
        }
        state = state * 1664525u + 1013904223u;
        const std::size_t index = (state >> 8) % characterCount;
        text.append(characterPool + index * characterBytes, characterBytes);
        ++column;
    }
    // One or two bytes short of the length: end the last line instead.
    text.append(bytes - text.size(), '\n');
    return text;
}

double benchScore(int row)
{
    return 0.5 + (row % 8) * 0.75;
}

std::string examFile(int choices, int texts, std::size_t textBytes)
{
    const int questions = choices + texts;
    std::string file = std::to_string(choices) + ' ' + std::to_string(texts) + '\n';
    char number[32];
    for (int row = 1; row <= questions; ++row) {
        std::snprintf(number, sizeof number, "%g", benchScore(row));
        file += number;
        file += row == questions ? '\n' : ' ';
    }
    for (int row = 1; row <= questions; ++row) {
        file += '@';
        file += chineseText(textBytes, unsigned(row));
        file += "$\n";
    }
    return file;
}

bool writeFile(const std::string &path, const std::string &contents)
{
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
    return std::fclose(file) == 0 && written;
}

std::string readFile(const std::string &path)
{
    std::string contents;
    std::FILE *file = std::fopen(path.c_str(), "rb");
    if (!file)
        return contents;
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        contents.append(buffer, got);
    std::fclose(file);
    return contents;
}
