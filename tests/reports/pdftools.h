#pragma once
#include <QString>
#include <QStringList>
#include <vector>

// A Qt Gui application for tests that paint (fonts need one).
void ensureGuiApp();

// Tools from poppler-utils.
struct PdfWord {
    int page;
    QString text;
    double xMin, yMin, xMax, yMax; // points
};
int pdfPages(const QString& pdf);
QString pdfText(const QString& pdf, int firstPage = 0, int lastPage = 0);
std::vector<PdfWord> pdfWords(const QString& pdf);
// Renders every page to <build>/screenshots/<name>-<n>.png; returns the files.
QStringList keepPagesAsPng(const QString& pdf, const QString& name, int dpi = 100);

constexpr double PointsPerMm = 72.0 / 25.4;
