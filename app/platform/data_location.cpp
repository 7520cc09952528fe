#include "platform/data_location.h"

#include <QFile>

#include "data_directory.h"

namespace sublumo {

QString dataDirectory(const QString& programDirectory) {
    const std::string chosen =
        database::prepareDataDirectory(QFile::encodeName(programDirectory).toStdString());
    return QFile::decodeName(QByteArray::fromStdString(chosen));
}

}  // namespace sublumo
