// Runs a fuzz target without libFuzzer for a bounded time: first every seed
// given on the command line (files, or folders of files), then random
// inputs, half of them seeds with random bytes changed, inserted or cut.
// Usage: fuzz_NAME [seconds] [seeds...]
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size);

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void run(const QByteArray &input)
{
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(input.constData()),
                           size_t(input.size()));
}

QByteArray mutated(QByteArray input, QRandomGenerator &random)
{
    const int edits = 1 + int(random.bounded(8));
    for (int e = 0; e < edits; ++e) {
        const int at = input.isEmpty() ? 0 : int(random.bounded(int(input.size())));
        switch (random.bounded(4)) {
        case 0:
            if (!input.isEmpty())
                input[at] = char(random.bounded(256));
            break;
        case 1:
            input.insert(at, char(random.bounded(256)));
            break;
        case 2:
            input.remove(at, 1 + int(random.bounded(16)));
            break;
        default: // a piece of the input again, elsewhere
            input.insert(at, input.mid(int(random.bounded(int(input.size()) + 1)), 32));
            break;
        }
    }
    return input;
}

} // namespace

int main(int argc, char *argv[])
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 5;
    std::vector<QByteArray> seeds;
    for (int i = 2; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        if (QFileInfo(path).isDir()) {
            const QDir dir(path);
            for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
                seeds.push_back(readFile(dir.filePath(name)));
        } else {
            seeds.push_back(readFile(path));
        }
    }
    for (const QByteArray &seed : seeds)
        run(seed);

    QRandomGenerator random(770);
    QElapsedTimer timer;
    timer.start();
    long runs = 0;
    while (timer.elapsed() < seconds * 1000) {
        if (!seeds.empty() && random.bounded(2) == 0) {
            run(mutated(seeds[random.bounded(int(seeds.size()))], random));
        } else {
            QByteArray input(int(random.bounded(2, 600)), '\0');
            for (char &b : input)
                b = char(random.bounded(256));
            run(input);
        }
        ++runs;
    }
    std::printf("%s: %zu seeds, %ld inputs in %d s\n", argv[0], seeds.size(), runs, seconds);
    return 0;
}
