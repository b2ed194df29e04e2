#pragma once
// Every picture the generator draws. Each function returns the finished picture at its final
// size; main() writes them out and the generate script converts them to JPEG or GIF.

#include <QImage>
#include <QPoint>
#include <QString>

#include <vector>

namespace art {

struct Animal {
    QString file;    // the picture's file name in data/
    QString branch;  // the earthly branch it stands for
    char32_t glyph;  // the emoji drawn
    QRgb tile;       // colour of its tile
};
const std::vector<Animal>& animals();
QImage animalPicture(const Animal& a);

QImage keyGuide();
QImage sceneEmpty();  // shown while the birth-year box is empty
QImage sceneKeys();   // the key-operation guide

QImage windowIcon(int size);
QImage banner();
QImage versionSheet();
QImage rocket();
QPoint rocketHotSpot();  // the nose tip, where the pointer points

QImage eraTable();
// The same rows as an HTML table, which the generate script puts into the help page.
QString eraTableHtml();

}  // namespace art
