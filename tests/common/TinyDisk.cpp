#include "TinyDisk.h"

#include <QFile>
#include <QProcess>

namespace testing_support {

namespace {
const QString kFiller = QStringLiteral(".filler");

bool run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}
} // namespace

TinyDisk::TinyDisk(int kilobytes)
{
    mounted_ = dir_.isValid()
               && run(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                                QStringLiteral("size=%1k").arg(kilobytes), QStringLiteral("tmpfs"),
                                                dir_.path()});
}

TinyDisk::~TinyDisk()
{
    if (mounted_)
        run(QStringLiteral("umount"), {dir_.path()});
}

void TinyDisk::fill()
{
    QFile filler(file(kFiller));
    if (!filler.open(QIODevice::Append | QIODevice::Unbuffered))
        return;
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size()) {
    }
    // The last partial block.
    while (filler.write(block.constData(), 1) == 1) {
    }
}

void TinyDisk::release()
{
    QFile::remove(file(kFiller));
}

} // namespace testing_support
