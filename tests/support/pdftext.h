// What a printed PDF file shows: its text layer and its pages as images,
// read with the poppler tools.
#pragma once

#include <QImage>
#include <QString>

// The text of the file, laid out as on the page (pdftotext -layout).
QString PdfText(const QString& pdf);

// The first page rendered at the given resolution (pdftoppm).
QImage PdfPage(const QString& pdf, int dots_per_inch);
