#ifndef EXAMTEXT_H
#define EXAMTEXT_H

#include <cstddef>
#include <string>

// Texts and exam files for the benchmarks, made up on the spot so that no
// figure depends on a file lying around. Everything here is plain C++: the
// process benchmark links no Qt.

// Exactly bytes bytes of UTF-8: Chinese characters in lines of forty, as a
// question or an answer would be typed. Different seeds give different texts.
std::string chineseText(std::size_t bytes, unsigned seed);

// The score of question row in the exams below: quarters and halves, so that
// the scores carry fractions.
double benchScore(int row);

// An exam file with the given numbers of choice and non-choice questions,
// every text textBytes long, a line end after each block.
std::string examFile(int choices, int texts, std::size_t textBytes);

// Writes contents to path; false if the file could not be written in full.
bool writeFile(const std::string &path, const std::string &contents);

// The whole contents of the file at path, empty if it cannot be read.
std::string readFile(const std::string &path);

// The largest exam the tables hold: 100 choice and 100 non-choice questions
// of 10000 bytes each.
constexpr int largestChoices = 100;
constexpr int largestTexts = 100;
constexpr std::size_t largestTextBytes = 10000;

// A stored non-choice answer in the benchmarks.
constexpr std::size_t answerBytes = 9000;

#endif // EXAMTEXT_H
