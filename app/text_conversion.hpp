#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include <QString>

// The core holds file names as the file system's bytes and its own texts as plain strings; the
// widgets hold QStrings.

QString qText(std::string_view text);

QString qFileName(const std::string& name);
std::string localFileName(const QString& name);
std::filesystem::path toPath(const QString& name);
QString qPath(const std::filesystem::path& path);
