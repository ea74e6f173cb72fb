#pragma once
// The program's list control: a list view over rows kept as the program's
// texts (UTF-8), each shown as its display text. A file of hundreds of
// thousands of rows goes in at once: the rows are stored as they were read
// and turned into screen text only when they are drawn. The control answers
// the calls of a plain Qt list that the windows use (count, clear, addItem,
// currentRow...).
#include <QAbstractListModel>
#include <QListView>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace cv {

class ModeloFilas : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex& padre = QModelIndex()) const override;
    QVariant data(const QModelIndex& indice, int papel = Qt::DisplayRole) const override;
    bool removeRows(int fila, int cuantas, const QModelIndex& padre = QModelIndex()) override;

    const std::vector<std::string>& Filas() const { return filas_; }
    // Rows inserted before fila (at the end when fila is the row count).
    void Insertar(int fila, std::vector<std::string> filas);
    // Every row replaced at once.
    void Reemplazar(std::vector<std::string> filas);

private:
    std::vector<std::string> filas_;
};

class Lista : public QListView {
    Q_OBJECT
public:
    explicit Lista(QWidget* padre = nullptr);

    int count() const { return modelo_->rowCount(); }
    // A row's text; an empty text for a row outside the list.
    QString text(int fila) const;
    // The rows as the program's texts.
    const std::vector<std::string>& Filas() const { return modelo_->Filas(); }
    void clear() { modelo_->Reemplazar({}); }
    void addItem(const QString& texto) { insertItem(count(), texto); }
    void addItems(const QStringList& textos);
    void insertItem(int fila, const QString& texto);
    // Rows appended in one batch, taken as they are; from then on every row
    // has the same height, so that long files lay out at once.
    void Anadir(std::vector<std::string> filas);
    void Reemplazar(std::vector<std::string> filas) { modelo_->Reemplazar(std::move(filas)); }
    // cuantas rows from desde on are removed.
    void Quitar(int desde, int cuantas) { modelo_->removeRows(desde, cuantas); }
    // The current row, -1 when none; a row outside the list makes none current.
    int currentRow() const;
    void setCurrentRow(int fila);

signals:
    // Rows added, removed or all replaced.
    void filasCambiadas();

private:
    ModeloFilas* modelo_;
};

} // namespace cv
