#include "compare/CompareMenu.h"

#include "app/Temp.h"

#include <QAction>
#include <QMenuBar>

namespace tessaplot {

void AddCompareMenu(TForm1& form) {
    QAction* compare = form.menuBar()->addAction(QStringLiteral("Compare"));
    compare->setObjectName(QStringLiteral("Compare1"));
    QObject::connect(compare, &QAction::triggered, &form, [&form] { ShowCompareRunsWindow(form); });
}

} // namespace tessaplot
