#include "text_conversion.hpp"

#include <QFile>

QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString qFileName(const std::string& name) {
    return QFile::decodeName(QByteArray::fromStdString(name));
}

std::string localFileName(const QString& name) {
    return QFile::encodeName(name).toStdString();
}

std::filesystem::path toPath(const QString& name) {
    return localFileName(name);
}

QString qPath(const std::filesystem::path& path) {
    return qFileName(path.string());
}
