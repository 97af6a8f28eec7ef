#pragma once

#include <QString>
#include <functional>

// Recipe files travel with their pictures in a folder "exp_img" beside them.
QString pictureFolderBeside(const QString& filePath);

// Told how far long work has come (`done` of `total`); answering false stops the work.
using Progress = std::function<bool(int done, int total)>;
