// Runs the fuzz target without libFuzzer: random inputs for a bounded time,
// then any files given on the command line. Usage: fuzz_link [seconds] [files...]
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size);

int main(int argc, char *argv[])
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 5;
    for (int i = 2; i < argc; ++i) {
        QFile f(QString::fromLocal8Bit(argv[i]));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QByteArray input = f.readAll();
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(input.constData()),
                               size_t(input.size()));
    }
    QRandomGenerator random(770);
    QElapsedTimer timer;
    timer.start();
    long runs = 0;
    std::vector<uint8_t> input;
    while (timer.elapsed() < seconds * 1000) {
        input.resize(random.bounded(2, 600));
        for (uint8_t &b : input)
            b = uint8_t(random.bounded(256));
        LLVMFuzzerTestOneInput(input.data(), input.size());
        ++runs;
    }
    std::printf("fuzz_link: %ld inputs in %d s\n", runs, seconds);
    return 0;
}
