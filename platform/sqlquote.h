#pragma once
// The one way a value goes into SQL text between single quotes. Every value a
// user typed or chose reaches a statement through one of these.
#include <QString>

// Doubles every single quote; the empty text becomes one blank (so an empty
// entry is stored as one blank, and stored texts are trimmed before they are
// tested for emptiness).
QString SqlText(const QString& text);
// Doubles every single quote and nothing else: the value stays exactly as
// typed, the empty text included.
QString SqlDoubled(const QString& text);

// The literal 'text' after SqlText.
QString quoted(const QString& text);
// The literal 'text' after SqlDoubled.
QString quotedExact(const QString& text);

// A name (of a column or table) as SQL text: [name], every ] in it doubled,
// so that a name read from the database file stays one name whatever it holds.
QString bracketedName(const QString& name);
