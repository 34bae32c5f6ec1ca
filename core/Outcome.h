#pragma once

#include "core/Failure.h"

#include <QList>
#include <QString>

#include <algorithm>
#include <optional>
#include <utility>

// A line break inside a message.
inline const QString LineBreak = QStringLiteral("\r\n");

// One thing the user is to be told, and what kind of thing it is, so each front end can show
// it its own way: the windows choose the icon from the kind, a terminal prints the text.
struct Notice {
    enum class Kind {
        Selection, // a selection that does not fit: no entry at that row, a table that stays
        Input,     // a text, length, count or account that is refused
        Failure,   // the engine or the file system failed: "Error [procedure]: ..."
        Silent,    // refused without a word in the windows (a store of the wrong shape);
                   // a terminal says why
    };
    Kind kind;
    QString text;

    bool operator==(const Notice&) const = default;
};

// "Error [procedure]: number CR LF description".
Notice FailureNotice(const QString& procedure, const Failure& failure);

// "Value entered is too long." CR LF "Maximum length is N characters."
Notice TooLong(int limit);

// What an operation did: done or not, and what the user is to be told, in order. A failed
// housekeeping step is told without stopping the operation.
class Outcome {
  public:
    Outcome() = default;
    // Not done, for this reason.
    Outcome(Notice refusal) : done(false), notices{std::move(refusal)} {}

    bool Done() const { return done; }
    const QList<Notice>& Notices() const { return notices; }
    // Whether the engine or the file system failed on the way, rather than a rule refusing.
    bool Failed() const {
        return std::any_of(notices.cbegin(), notices.cend(), [](const Notice& notice) {
            return notice.kind == Notice::Kind::Failure;
        });
    }
    // The reason it was not done; empty when it was.
    QString Refusal() const { return done || notices.isEmpty() ? QString() : notices.last().text; }

    // Tells the notice and goes on.
    void Tell(Notice notice) { notices.append(std::move(notice)); }
    // Takes on what another outcome has to tell, and its failure if it failed.
    void Add(const Outcome& other) {
        notices.append(other.notices);
        done = done && other.done;
    }

  private:
    bool done = true;
    QList<Notice> notices;
};

// An outcome that, when done, carries a value.
template <class Value> class Result : public Outcome {
  public:
    Result(Value value) : value(std::move(value)) {}
    Result(Notice refusal) : Outcome(std::move(refusal)) {}
    // Not done, for the reasons the other outcome gives.
    explicit Result(const Outcome& failed) { Add(failed); }

    Value& operator*() { return *value; }
    const Value& operator*() const { return *value; }
    Value* operator->() { return &*value; }
    const Value* operator->() const { return &*value; }

  private:
    std::optional<Value> value;
};

// Runs the body; a failure it throws ends it and is told under the procedure's name.
template <class Body> Outcome Attempt(const QString& procedure, Body&& body) {
    try {
        std::forward<Body>(body)();
        return {};
    } catch (const Failure& failure) {
        return FailureNotice(procedure, failure);
    }
}

// The same for a body that gives a value.
template <class Body>
auto AttemptValue(const QString& procedure, Body&& body)
    -> Result<decltype(std::forward<Body>(body)())> {
    try {
        return std::forward<Body>(body)();
    } catch (const Failure& failure) {
        return FailureNotice(procedure, failure);
    }
}
