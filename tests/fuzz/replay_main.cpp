// Stands in for libFuzzer's main where the compiler has none: feeds each file
// named, or each file of each folder named, to the target once.
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    QStringList inputs;
    for (int i = 1; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        const QDir folder(path);
        if (!folder.exists())
            inputs << path;
        for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden, QDir::Name))
            inputs << folder.filePath(name);
    }
    if (inputs.isEmpty()) // an empty corpus would pass without trying anything
        qFatal("no inputs to replay");
    for (const QString& path : inputs) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(path));
        const QByteArray bytes = file.readAll();
        std::fprintf(stderr, "%s\n", qPrintable(path)); // a crash's report follows the name
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                               size_t(bytes.size()));
    }
    std::printf("%lld inputs replayed\n", static_cast<long long>(inputs.size()));
    return 0;
}
