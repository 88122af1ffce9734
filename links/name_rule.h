// The name boxes' rule, for a typed key and for an input method's commit alike:
// letters go in as capitals and spaces as they are, Backspace and Enter do their
// work, and anything else a key or an input method would type is refused, with
// "Please Enter Only Alphabet". Keys that type nothing edit as usual.
#pragma once

#include <QChar>
#include <QString>
#include <Qt>

namespace aromelle {

inline constexpr char kOnlyAlphabet[] = "Please Enter Only Alphabet";

enum class NameKeyAction {
    Edit,    // the box takes the key as usual
    Insert,  // the capital goes in instead of what the key types
    Swallow, // nothing happens
    Refuse   // nothing goes in, and the user is told
};

struct NameKeyOutcome {
    NameKeyAction action;
    QChar capital = {}; // what Insert puts in
};

// A key pressed in a name box, as Qt reports it.
NameKeyOutcome nameKey(int key, Qt::KeyboardModifiers modifiers, const QString &text);

struct NameCommit {
    QString accepted; // its letters as capitals, and its spaces, in order
    bool refused;     // anything else was in it: one message for the whole commit
};

// An input method's commit: a dead key's or Compose's character, or several at once
// (ibus commits a Vietnamese syllable whole).
NameCommit nameCommit(const QString &commit);

} // namespace aromelle
