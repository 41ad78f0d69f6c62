// Icon 128: the program's red telephone, loaded from the resources compiled into the program.
#include "ProgramIcon.h"

#include <QString>

#include "resources/Resource.h"

// The resources live in a static library, so they are registered explicitly.
static void InitProgramResources() { Q_INIT_RESOURCE(kobal); }

namespace kobal::app {

QIcon LoadProgramIcon() {
  InitProgramResources();
  QIcon icon;
  const QString folder = QStringLiteral(":/icon/%1/").arg(IDI_KOBAL);
  icon.addFile(folder + QStringLiteral("16.png"), QSize(16, 16));
  icon.addFile(folder + QStringLiteral("32.png"), QSize(32, 32));
  return icon;
}

}  // namespace kobal::app
