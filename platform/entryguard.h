#pragma once
// What an entry (a grid cell's editor or a box to type in) refuses of the
// user's text, and the words that say so. A paste is taken whole or refused
// whole, never cut: a text holding a control character (any but tab, line
// feed and carriage return, which the program's tables cannot keep), or one
// that would make the entry longer than it takes, is refused with a message
// that names the entry's limit and the pasted length. A key typed past the
// limit is refused, and said once while the entry keeps the focus.
//
// The grid says its refusals through Grid::EntryRefused; a box is guarded by
// guardBox, which says them through the callback given (the page frame shows
// them in a message box).
#include <QString>
#include <functional>
#include <optional>

class QLineEdit;

namespace entryguard {

// The first control character of text that no entry keeps; nullopt when none.
std::optional<QChar> controlCharacter(const QString& text);

// Why an entry refuses a paste whole, or "" when it takes it: the pasted
// text, the entry's length once it is in, the entry's limit (0 or less: none)
// and what the entry is called ("cell", "box").
QString pasteRefusal(const QString& pasted, qsizetype lengthAfter, int limit, const QString& entry);
// What is said when a key would make the entry longer than its limit.
QString typingRefusal(int limit, const QString& entry);

// Guards a box: a paste by the keys, the box's menu, the middle button or a
// drop that the box cannot take whole is refused and said through say; a key
// typed past the box's maximum length is said once until the box loses the
// focus. limit, when given, is the box's limit instead of its maxLength (a
// box whose length a validator keeps); entry is what the messages call it.
void guardBox(QLineEdit* box, std::function<void(const QString&)> say,
              std::function<int()> limit = {}, const QString& entry = QStringLiteral("box"));

} // namespace entryguard
