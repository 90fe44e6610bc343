// The yardstick of keyweave's start-up: a plain Qt Widgets window of the same
// size with the given number of buttons, shown and painted once, then the
// same figures keyweave --measure-startup prints.

#include "gui/app/resident_memory.h"

#include <QApplication>
#include <QPushButton>
#include <QWidget>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const int buttons = argc > 1 ? std::atoi(argv[1]) : 0;
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.setFixedSize(1000, 560);
    constexpr int kColumns = 24;
    for (int i = 0; i < buttons; ++i) {
        auto* button = new QPushButton(QString::number(i), &window);
        button->setGeometry(10 + (i % kColumns) * 40, 10 + (i / kColumns) * 34, 38, 32);
    }
    window.show();
    window.grab();
    std::printf("buttons=%d rss_kib=%ld peak_kib=%ld\n", buttons, kw::app::residentMemoryKib(),
                kw::app::peakResidentMemoryKib());
    return 0;
}
