#pragma once
#include "help/helpfile.h"
#include <QWidget>

class QPlainTextEdit;
class QPushButton;

// The help window FKQ_JS, "帮助": help.txt in an editable memo, loaded at
// each showing and saved at each closing, and two web links.
class TFKQ_JS : public QWidget {
    Q_OBJECT
public:
    explicit TFKQ_JS(QWidget* parent = nullptr, const QString& helpPath = HelpFile::defaultPath());

    QPlainTextEdit* Memo1() const { return m_memo; }
    QPushButton* BitBtn1() const { return m_download; }
    QPushButton* BitBtn2() const { return m_home; }
    HelpFile& helpFile() { return m_file; }
    // The memo's whole text, lines separated by '\n'.
    QString memoText() const;

public slots:
    void BitBtn1Click(); // 新版下载
    void BitBtn2Click(); // 官方网站

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void FormShow();
    bool FormClose();

    HelpFile m_file;
    QPlainTextEdit* m_memo = nullptr;
    QPushButton* m_download = nullptr;
    QPushButton* m_home = nullptr;
};
