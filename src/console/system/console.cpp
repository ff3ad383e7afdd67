// Console input, bell and timed wait.
#include "console/system/console.h"

#include <cctype>
#include <cstdarg>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <thread>

#include "console/system/platform.h"
#include "console/system/waiting_for_user.h"

void consolePrintf(const char* format, ...)
{
    std::va_list arguments;
    va_start(arguments, format);
    const std::string text = vformatText(format, arguments);
    va_end(arguments);
    writeConsole(text.data(), text.size());
}

static bool isWordSeparator(int c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

std::optional<std::string> ConsoleAnswers::nextWord()
{
    // A prompt never ends in a line end, so it must reach the console before
    // the program waits for the answer.
    std::fflush(stdout);
    WaitingForUser waiting;
    int c = std::getchar();
    while (c != EOF && isWordSeparator(c))
        c = std::getchar();
    if (c == EOF)
        return std::nullopt;
    std::string word;
    while (c != EOF && !isWordSeparator(c)) {
        word += static_cast<char>(c);
        c = std::getchar();
    }
    return word;
}

std::string readWord(AnswerSource& answers)
{
    std::optional<std::string> word = answers.nextWord();
    if (!word)
        throw InputEnded{};
    return *word;
}

std::optional<int> leadingInteger(const std::string& word)
{
    std::size_t at = 0;
    const bool negative = at < word.size() && word[at] == '-';
    if (at < word.size() && (word[at] == '+' || word[at] == '-'))
        at++;
    if (at == word.size() || !std::isdigit(static_cast<unsigned char>(word[at])))
        return std::nullopt;
    // However many digits there are, only the value counts: leading zeros
    // change nothing, and a value beyond the int range is marked -1.
    long long magnitude = 0;
    bool tooLarge = false;
    for (; at < word.size() && std::isdigit(static_cast<unsigned char>(word[at])); at++) {
        magnitude = magnitude * 10 + (word[at] - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1) {
            tooLarge = true;
            magnitude = static_cast<long long>(INT_MAX) + 1;
        }
    }
    const long long value = negative ? -magnitude : magnitude;
    if (tooLarge || value > INT_MAX || value < INT_MIN)
        return -1;
    return static_cast<int>(value);
}

bool readInteger(AnswerSource& answers, int* value)
{
    std::optional<int> number = leadingInteger(readWord(answers));
    if (!number)
        return false;
    *value = *number;
    return true;
}

char readAnswerInitial(AnswerSource& answers)
{
    const std::string word = readWord(answers);
    return static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
}

bool askYesNo(AnswerSource& answers, const char* prompt, const ConsoleStyle& style)
{
    for (;;) {
        consolePrintf("%s", prompt);
        char answer = readAnswerInitial(answers);
        if (answer == 'Y')
            return true;
        if (answer == 'N')
            return false;
        beep(style);
    }
}

void beep(const ConsoleStyle& style)
{
    if (style.bells)
        consolePrintf("%s", "\a");
}

int currentSecondsField()
{
    std::time_t now = std::time(nullptr);
    return std::localtime(&now)->tm_sec;
}

void waitSeconds(int seconds)
{
    int target = currentSecondsField() + seconds;
    if (target >= 60)
        target -= 60;
    std::fflush(stdout);
    WaitingForUser waiting;
    // Sleep between readings rather than keep a processor busy; the wait
    // still ends within a few milliseconds of the second changing.
    while (currentSecondsField() != target)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}
