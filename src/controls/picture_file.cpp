#include "controls/picture_file.h"

#include <QFile>
#include <QImageReader>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kv {

QImage ReadPictureFile(const QString& path, int mostSide)
{
    // Opened without waiting (a pipe with no writer would block open()) and looked at through
    // the open handle, so that what is read is what was checked.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return {};
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
    QImageReader reader(&file);
    const QSize stated = reader.size();
    if (!stated.isValid() || stated.width() > mostSide || stated.height() > mostSide)
        return {};
    return reader.read();
}

} // namespace kv
