// What a drop on one of the program's windows brings: the one table file to
// load, or why nothing is loaded.
#pragma once

#include <QString>

class QMimeData;

struct DroppedFile {
  QString FileName;  // empty when refused
  QString Refusal;   // the message for the user, empty when accepted
};

// A missing or unreadable file is accepted here; reading it reports it as
// the open dialog's path does.
DroppedFile TableFileOfDrop(const QMimeData& data);
