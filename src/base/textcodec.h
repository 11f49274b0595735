#pragma once

#include <QByteArray>
#include <QString>

// Files written on Windows are Windows-1252; files we write are Windows-1252 whenever every
// character fits and the bytes cannot be taken for UTF-8, and UTF-8 otherwise, so nothing a
// user typed is ever lost.
QString DecodeText(const QByteArray& bytes);
QByteArray EncodeText(const QString& text);

// Strict Windows-1252 encoding; false when some character has no place in it.
bool EncodeWindows1252(const QString& text, QByteArray* out);
QString DecodeWindows1252(const QByteArray& bytes);
