#pragma once
#include <QTextBrowser>
#include <QWidget>

// The help window: the pages of the "ayuda" folder beside the executable.
class frmAyuda : public QWidget {
    Q_OBJECT
public:
    explicit frmAyuda(QWidget* parent = nullptr);

protected:
    void resizeEvent(QResizeEvent* evento) override;

private:
    QTextBrowser* WebBrowser1;
};
