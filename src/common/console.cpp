// Console input, bell and timed wait.
#include "common/console.h"

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <thread>

#include "common/shared_state.h"

void endProgram()
{
    std::fflush(stdout);
    std::exit(0);
}

static bool isWordSeparator(int c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

void readWord(char* buffer, std::size_t size)
{
    // A prompt never ends in a line end, so it must reach the console before
    // the program waits for the answer.
    std::fflush(stdout);
    int c = std::getchar();
    while (c != EOF && isWordSeparator(c))
        c = std::getchar();
    if (c == EOF)
        endProgram();
    std::size_t length = 0;
    while (c != EOF && !isWordSeparator(c)) {
        if (length + 1 < size)
            buffer[length++] = static_cast<char>(c);
        c = std::getchar();
    }
    buffer[length] = '\0';
}

bool readInteger(int* value)
{
    char word[64];
    readWord(word, sizeof word);
    const char* digits = word;
    if (*digits == '+' || *digits == '-')
        digits++;
    if (!std::isdigit(static_cast<unsigned char>(*digits)))
        return false;
    long long number = std::strtoll(word, nullptr, 10);
    if (number < -2147483648LL || number > 2147483647LL)
        number = -1;
    *value = static_cast<int>(number);
    return true;
}

char readAnswerInitial()
{
    std::strcpy(answerBuffer, "0");
    readWord(answerBuffer, sizeof answerBuffer);
    return static_cast<char>(std::toupper(static_cast<unsigned char>(answerBuffer[0])));
}

int askYesNo(const char* prompt)
{
    for (;;) {
        std::printf("%s", prompt);
        char answer = readAnswerInitial();
        if (answer == 'Y')
            return 1;
        if (answer == 'N')
            return 0;
        beep();
    }
}

void beep()
{
    std::printf("%s", "\a");
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
    // Sleep between readings rather than keep a processor busy; the wait
    // still ends within a few milliseconds of the second changing.
    while (currentSecondsField() != target)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}
