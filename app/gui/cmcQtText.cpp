#include "app/gui/cmcQtText.h"

#include <QFile>

#include "util/Cp932.h"

namespace cmcQtText {

QString FromCp932(const std::string& text) {
    return QString::fromStdString(Cp932::ToUtf8(text));
}

std::string ToCp932(const QString& text) {
    std::string result;
    for (QChar c : text) {
        result += Cp932::FromUtf8(QString(c).toStdString()).value_or("?");
    }
    return result;
}

QString FromPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string ToPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

}  // namespace cmcQtText
