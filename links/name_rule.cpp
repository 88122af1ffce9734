#include "name_rule.h"

namespace aromelle {

namespace {

// The character codes the rule lets through unchanged, and a code no single
// character has, for a key that types more than one.
constexpr int kBackspace = 8, kCarriageReturn = 13, kSpace = 32;
constexpr int kNotOneCharacter = 0x10000;
// What Ctrl+Enter and Ctrl+Backspace type: a line feed and DEL.
constexpr int kLineFeed = 10, kDelete = 127;
constexpr int kNoCharacter = -1;

// A letter as the name boxes take it: its capital; 0 for anything that is not a letter.
int nameLetter(int code) {
    if (code >= 'a' && code <= 'z')
        return code - ('a' - 'A');
    return code >= 'A' && code <= 'Z' ? code : 0;
}

// The character a key types, as the rule judges it.
int typedCode(int key, Qt::KeyboardModifiers modifiers, const QString &text) {
    const bool control = modifiers & Qt::ControlModifier;
    if (control && key >= Qt::Key_A && key <= Qt::Key_Z)
        return key - Qt::Key_A + 1; // the control character, as Ctrl+C gives 3
    if (control && key == Qt::Key_Backspace)
        return kDelete; // not Qt's word deletion
    if (control && (key == Qt::Key_Return || key == Qt::Key_Enter))
        return kLineFeed;
    if (!text.isEmpty())
        return text.size() == 1 ? text.at(0).unicode() : kNotOneCharacter;
    if (key == Qt::Key_Backspace)
        return kBackspace;
    return kNoCharacter; // arrows, Home and the like
}

} // namespace

NameKeyOutcome nameKey(int key, Qt::KeyboardModifiers modifiers, const QString &text) {
    // Focus moves and Delete are not characters typed into the box, though X11 gives
    // Delete the text 0x7F.
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Delete)
        return {NameKeyAction::Edit};
    // An Alt combination that reached the box matched no menu or button: it types
    // nothing, rather than slipping a character past the rule.
    if (modifiers & Qt::AltModifier)
        return {text.isEmpty() ? NameKeyAction::Edit : NameKeyAction::Swallow};
    const int code = typedCode(key, modifiers, text);
    if (code == kNoCharacter)
        return {NameKeyAction::Edit};
    if (const int letter = nameLetter(code)) {
        if (letter == code)
            return {NameKeyAction::Edit}; // a capital goes in as typed
        return {NameKeyAction::Insert, QChar(letter)};
    }
    if (code == kBackspace || code == kCarriageReturn || code == kSpace)
        return {NameKeyAction::Edit};
    return {NameKeyAction::Refuse};
}

NameCommit nameCommit(const QString &commit) {
    NameCommit result{QString(), false};
    for (const QChar c : commit) {
        if (const int letter = nameLetter(c.unicode()))
            result.accepted += QChar(letter);
        else if (c.unicode() == kSpace)
            result.accepted += c;
        else
            result.refused = true;
    }
    return result;
}

} // namespace aromelle
