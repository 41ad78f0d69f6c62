// Icon 128: the program's red telephone, loaded from the resources compiled into the program.
#pragma once

#include <QIcon>

namespace kobal::app {

QIcon LoadProgramIcon();

}  // namespace kobal::app
