#include "import/importaction.h"
#include "app/dialogs.h"
#include "app/session.h"
#include "import/spreadsheetimport.h"

void importFromDialog(QWidget* parent, Session& session)
{
    guarded(parent, [&] {
        session.requireIdle();
        const QString path = Dialogs::openFileName(parent, QStringLiteral("导入数据"),
                                                   QStringLiteral("电子表格 (*.xls *.xlsx *.csv)"));
        if (path.isEmpty()) return;
        SpreadsheetImport::run(session, path);
    });
}
