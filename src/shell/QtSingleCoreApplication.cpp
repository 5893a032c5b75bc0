#include "shell/QtSingleCoreApplication.h"

QtSingleCoreApplication::QtSingleCoreApplication(int &argc, char **argv)
    : QApplication(argc, argv),
      instance(SingleInstance::instanceKey(QCoreApplication::applicationFilePath()),
               SingleInstance::channelFolder())
{
    connect(&instance, &SingleInstance::messageReceived, this,
            &QtSingleCoreApplication::messageReceived);
}
