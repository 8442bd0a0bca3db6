// mkmanual: lays out the manual's Markdown text with Qt's own text engine and
// writes it as an A4 PDF, so the manual needs no toolchain beyond the one
// that builds the program.
//
//     mkmanual MANUAL.md PICTURES_DIR OUT.pdf
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Text width of the page body in the document's units (points at 72 dpi).
constexpr double kBodyWidth = 480;

// Screenshots show the empty desktop around the window (the colour of their
// corner); only the window goes into the manual, on white where it is
// transparent, as the PDF keeps no transparency.
QImage Cropped(const QImage& picture) {
    if (picture.isNull()) {
        return picture;
    }
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb desktop = argb.pixel(0, 0);
    QRect used;
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (line[x] != desktop) {
                used |= QRect(x, y, 1, 1);
            }
        }
    }
    if (used.isEmpty()) {
        used = argb.rect();
    }
    QImage flat(used.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(QPoint(0, 0), argb, used);
    return flat;
}

// Pictures are screenshots wider than the page: each is scaled to the body
// width at most, keeping its proportions.
void FitPictures(QTextDocument& document, const QString& pictures) {
    std::vector<std::pair<QTextCursor, QTextImageFormat>> fixes;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat()) {
                continue;
            }
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            const QImage image = Cropped(QImage(pictures + QLatin1Char('/') + format.name()));
            if (image.isNull()) {
                std::fprintf(stderr, "mkmanual: no picture %s\n", qPrintable(format.name()));
                std::exit(1);
            }
            document.addResource(QTextDocument::ImageResource, QUrl(format.name()), image);
            const double width = std::min(kBodyWidth, image.width() * 0.6);
            format.setWidth(width);
            format.setHeight(width * image.height() / image.width());
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            fixes.emplace_back(cursor, format);
        }
    }
    for (auto& [cursor, format] : fixes) {
        cursor.setCharFormat(format);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: mkmanual MANUAL.md PICTURES_DIR OUT.pdf\n");
        return 64;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "mkmanual: cannot read %s\n", argv[1]);
        return 1;
    }
    QTextDocument document;
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPointSizeF(10.5);
    document.setDefaultFont(font);
    document.setDefaultStyleSheet(QStringLiteral("h1 { color: #1565c0; } h2 { color: #1976d2; }"));
    document.setMarkdown(QString::fromUtf8(source.readAll()));
    FitPictures(document, QString::fromLocal8Bit(argv[2]));

    QPdfWriter pdf(QString::fromLocal8Bit(argv[3]));
    pdf.setTitle(QStringLiteral("MX-R77C 操作説明書"));
    pdf.setCreator(QStringLiteral("mkmanual"));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                  QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
    document.print(&pdf);
    if (!QFileInfo(QString::fromLocal8Bit(argv[3])).size()) {
        std::fprintf(stderr, "mkmanual: nothing written to %s\n", argv[3]);
        return 1;
    }
    return 0;
}
