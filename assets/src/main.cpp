// draw OUTDIR: draws every picture the program ships as a PNG under OUTDIR and writes
// OUTDIR/manifest, one line per picture: the PNG, then the file it becomes, both relative
// (the generate script converts and places them), and OUTDIR/era-table.html, the era table's rows
// as HTML for the help page. Run with QT_QPA_PLATFORM=offscreen.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

#include "canvas.h"
#include "pictures.h"

namespace {

struct Output {
    QDir root;
    QStringList manifest;

    void add(const QImage& image, const QString& target) {
        const QString png = QFileInfo(target).path() + '/' + QFileInfo(target).completeBaseName() +
                            QStringLiteral(".png");
        const QString path = root.filePath(png);
        QDir().mkpath(QFileInfo(path).path());
        if (!image.save(path, "PNG")) {
            std::fprintf(stderr, "draw: cannot write %s\n", qPrintable(path));
            std::exit(1);
        }
        manifest << png + ' ' + target;
        std::printf("%-28s %4d x %-4d\n", qPrintable(target), image.width(), image.height());
    }
};

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw OUTDIR\n");
        return 2;
    }
    for (const char* family : {"IPAGothic", "IPAPGothic", "Noto Color Emoji"})
        art::requireFamily(QString::fromLatin1(family));

    Output out{QDir(QString::fromLocal8Bit(argv[1])), {}};
    QDir().mkpath(out.root.path());

    for (const art::Animal& a : art::animals())
        out.add(art::animalPicture(a), QStringLiteral("data/") + a.file);
    out.add(art::sceneEmpty(), QStringLiteral("data/scene1.jpg"));
    out.add(art::sceneKeys(), QStringLiteral("data/scene2.gif"));
    out.add(art::eraTable(), QStringLiteral("data/gengo.gif"));

    out.add(art::keyGuide(), QStringLiteral("ui/resources/keyguide.jpg"));
    out.add(art::windowIcon(32), QStringLiteral("ui/resources/icon.png"));
    out.add(art::windowIcon(64), QStringLiteral("ui/resources/icon-64.png"));
    // The desktop's icon theme: the window icon at every size a launcher or panel asks for.
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        out.add(art::windowIcon(size),
                QStringLiteral("dist/icons/%1x%1/org.example.yorvane.png").arg(size));
    out.add(art::banner(), QStringLiteral("ui/resources/banner.gif"));
    out.add(art::versionSheet(), QStringLiteral("ui/resources/sheet.gif"));
    const QImage rocket = art::rocket();
    out.add(rocket, QStringLiteral("ui/resources/rocket.png"));
    const QPoint hot = art::rocketHotSpot();
    std::printf("rocket hot spot: %d,%d\n", hot.x(), hot.y());

    QFile table(out.root.filePath(QStringLiteral("era-table.html")));
    if (!table.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "draw: cannot write the era table\n");
        return 1;
    }
    QTextStream(&table) << art::eraTableHtml();
    table.close();

    QFile list(out.root.filePath(QStringLiteral("manifest")));
    if (!list.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        std::fprintf(stderr, "draw: cannot write the manifest\n");
        return 1;
    }
    QTextStream(&list) << out.manifest.join('\n') << '\n';
    return 0;
}
