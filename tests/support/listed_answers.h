// Answers for tests: a fixed list of words, as a user or a script would
// type them, without standard input.
#ifndef BRAVOLIN_TESTS_SUPPORT_LISTED_ANSWERS_H
#define BRAVOLIN_TESTS_SUPPORT_LISTED_ANSWERS_H

#include <deque>
#include <string>
#include <utility>

#include "console/system/console.h"

class ListedAnswers : public AnswerSource {
public:
    explicit ListedAnswers(std::deque<std::string> words = {}, bool showsQuestions = true)
        : words_(std::move(words)), showsQuestions_(showsQuestions)
    {
    }
    std::optional<std::string> nextWord() override
    {
        if (words_.empty())
            return std::nullopt;
        std::string word = words_.front();
        words_.pop_front();
        return word;
    }
    bool showsQuestions() const override { return showsQuestions_; }
    std::size_t remaining() const { return words_.size(); }

private:
    std::deque<std::string> words_;
    bool showsQuestions_;
};

#endif
