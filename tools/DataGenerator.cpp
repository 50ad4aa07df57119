// Writes the bundled data the program reads beside its executable: the
// symbol library (iconstore.xml and its pictures), the floor plans, the
// recommended schemes and the empty project folder.
//
//   data_generator OUTDIR [--contact-sheet PNG]
//
// The output is the same byte for byte on every run (fixed faces, no
// timestamps), so regenerating shows up in a diff only where something
// was changed on purpose. The contact sheet, a review aid, shows every
// symbol at 150 pixels, its small picture enlarged four times and as a
// placed node shows it.

#include "FloorPlans.h"
#include "Schemes.h"
#include "SymbolCatalogue.h"
#include "SymbolPictures.h"

#include "BitmapCodec.h"
#include "GraphPicture.h"
#include "JpegCodec.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSaveFile>
#include <QSet>
#include <QXmlStreamWriter>
#include <cstdio>
#include <exception>

namespace {

void Write(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error("cannot write " + path.toStdString());
}

// The library file. The reader walks the root's child nodes by position, so
// nothing but "icon" elements may stand in it: no comments.
QByteArray IconStoreXml()
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("iconstore"));
    for (const SymbolEntry &entry : SymbolCatalogue()) {
        xml.writeStartElement(QStringLiteral("icon"));
        xml.writeTextElement(QStringLiteral("caption"), QString::fromUtf8(entry.caption));
        xml.writeTextElement(QStringLiteral("system"), QString::fromUtf8(entry.system));
        xml.writeTextElement(QStringLiteral("type"), QString::fromUtf8(entry.type));
        xml.writeTextElement(QStringLiteral("comment"), QString::fromUtf8(entry.comment));
        xml.writeTextElement(QStringLiteral("smallimage"), SmallImageName(entry));
        xml.writeTextElement(QStringLiteral("largeimage"), LargeImageName(entry));
        xml.writeTextElement(QStringLiteral("ref"), QString::fromUtf8(entry.ref));
        xml.writeTextElement(QStringLiteral("code"), QString::fromUtf8(entry.code));
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

// Catches catalogue mistakes that the program would only show as a drop
// that silently places no companion, or a palette item in the wrong place.
void CheckCatalogue()
{
    QSet<QString> codes, captions;
    for (const SymbolEntry &entry : SymbolCatalogue()) {
        const QString code = QString::fromUtf8(entry.code);
        if (codes.contains(code)) throw std::logic_error("duplicate code " + code.toStdString());
        codes.insert(code);
        const QString caption = QString::fromUtf8(entry.caption);
        if (captions.contains(caption))
            throw std::logic_error("duplicate caption " + caption.toStdString());
        captions.insert(caption);
    }
    for (const SymbolEntry &entry : SymbolCatalogue()) {
        const QString type = QString::fromUtf8(entry.type);
        const bool needsCompanion =
            type == QStringLiteral("家用电器") || type == QStringLiteral("灯");
        const QString ref = QString::fromUtf8(entry.ref);
        if (needsCompanion != !ref.isEmpty())
            throw std::logic_error(std::string("companion of ") + entry.code + " set wrongly");
        if (!needsCompanion) continue;
        // Lamps mostly bring their switch and appliances their socket, but a
        // table lamp is plugged in and a 浴霸 has a switch of its own: the
        // companion is a switch or a socket, something installed.
        bool found = false;
        for (const SymbolEntry &other : SymbolCatalogue())
            if (ref == QString::fromUtf8(other.caption)) {
                const QString otherType = QString::fromUtf8(other.type);
                found = otherType == QStringLiteral("开关") || otherType == QStringLiteral("插座");
            }
        if (!found)
            throw std::logic_error(std::string("companion of ") + entry.code +
                                   " is no switch or socket");
    }
}

QImage ContactSheet()
{
    const auto symbols = SymbolCatalogue();
    const int columns = 8, cell = 260;
    const int rows = int(symbols.size() + columns - 1) / columns;
    QImage sheet(columns * cell, rows * 160, QImage::Format_RGB32);
    sheet.fill(QColor(200, 200, 200));
    QPainter painter(&sheet);
    for (int i = 0; i < int(symbols.size()); ++i) {
        const int x = (i % columns) * cell, y = (i / columns) * 160;
        painter.drawImage(x + 2, y + 2, LargeSymbolPicture(symbols[size_t(i)]));
        TPicture small;
        small.LoadFromData(TPicture::Metafile, SmallSymbolMetafile(symbols[size_t(i)]));
        painter.fillRect(QRect(x + 156, y + 2, 80, 80), Qt::white);
        small.Draw(painter, QRect(x + 156, y + 2, 80, 80));
        // As a placed node shows it: 40 x 40 (breakers 100 x 40) with the
        // code in blue over the bottom strip.
        const SymbolEntry &entry = symbols[size_t(i)];
        const bool breaker = QString::fromUtf8(entry.type) == QStringLiteral("漏电保护器");
        const QRect node(x + 156, y + 100, breaker ? 100 : 40, 40);
        painter.fillRect(node.adjusted(-2, -2, 2, 2), Qt::white);
        small.Draw(painter, node);
        QFont font(SerifFace());
        font.setPixelSize(13);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor(0, 0, 255));
        painter.drawText(QRect(node.left() + 3, node.top() + 24, node.width() - 6, 13),
                         Qt::AlignCenter, QString::fromUtf8(entry.code));
    }
    return sheet;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 1 && !(args.size() == 3 && args[1] == QStringLiteral("--contact-sheet"))) {
        std::fputs("usage: data_generator OUTDIR [--contact-sheet PNG]\n", stderr);
        return 2;
    }
    try {
        CheckCatalogue();
        const QDir out(args[0]);
        const QString small = out.filePath(QStringLiteral("iconstore/20"));
        const QString large = out.filePath(QStringLiteral("iconstore/150"));
        for (const QString &folder :
             {small, large, out.filePath(QStringLiteral("background")),
              out.filePath(QStringLiteral("templates")), out.filePath(QStringLiteral("projects"))})
            if (!QDir().mkpath(folder))
                throw std::runtime_error("cannot create " + folder.toStdString());

        Write(out.filePath(QStringLiteral("iconstore.xml")), IconStoreXml());
        for (const SymbolEntry &entry : SymbolCatalogue()) {
            Write(QDir(small).filePath(SmallImageName(entry)), SmallSymbolMetafile(entry));
            Write(QDir(large).filePath(LargeImageName(entry)),
                  BitmapCodec::Encode24(LargeSymbolPicture(entry)));
        }
        for (const QString &name : FloorPlanNames())
            Write(out.filePath(QStringLiteral("background/") + name + QStringLiteral(".jpg")),
                  JpegCodec::Encode(FloorPlan(name), 90));
        // The schemes load the small pictures just written, as a drop would.
        WriteSchemes(small, out.filePath(QStringLiteral("templates")));

        if (args.size() == 3 && !ContactSheet().save(args[2]))
            throw std::runtime_error("cannot write " + args[2].toStdString());
    } catch (const std::exception &error) {
        std::fprintf(stderr, "data_generator: %s\n", error.what());
        return 1;
    }
    return 0;
}
