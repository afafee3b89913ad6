// Typing a character that QTest cannot spell as a key.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

inline void TypeChar(QWidget* field, QChar c) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
  QApplication::sendEvent(field, &press);
  QApplication::sendEvent(field, &release);
}
