#include "shell/Lista.h"

#include <algorithm>
#include <iterator>

namespace cv {

namespace {

QString Texto(const std::string& f)
{
    // Rows in plain ASCII (nearly all of them) are copied as Latin-1, the
    // quicker conversion and the same text.
    const auto n = static_cast<qsizetype>(f.size());
    if (std::all_of(f.begin(), f.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return QString::fromLatin1(f.data(), n);
    return QString::fromUtf8(f.data(), n);
}

} // namespace

int ModeloFilas::rowCount(const QModelIndex& padre) const
{
    return padre.isValid() ? 0 : static_cast<int>(filas_.size());
}

QVariant ModeloFilas::data(const QModelIndex& indice, int papel) const
{
    if (!checkIndex(indice, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid) ||
        (papel != Qt::DisplayRole && papel != Qt::EditRole))
        return {};
    return Texto(filas_[static_cast<size_t>(indice.row())]);
}

bool ModeloFilas::removeRows(int fila, int cuantas, const QModelIndex& padre)
{
    if (padre.isValid() || fila < 0 || cuantas < 0 || cuantas > rowCount() - fila)
        return false;
    if (cuantas == 0)
        return true;
    beginRemoveRows({}, fila, fila + cuantas - 1);
    filas_.erase(filas_.begin() + fila, filas_.begin() + fila + cuantas);
    endRemoveRows();
    return true;
}

void ModeloFilas::Insertar(int fila, std::vector<std::string> filas)
{
    if (filas.empty() || fila < 0 || fila > rowCount())
        return;
    beginInsertRows({}, fila, fila + static_cast<int>(filas.size()) - 1);
    if (filas_.empty())
        filas_ = std::move(filas);
    else
        filas_.insert(filas_.begin() + fila, std::make_move_iterator(filas.begin()),
                      std::make_move_iterator(filas.end()));
    endInsertRows();
}

void ModeloFilas::Reemplazar(std::vector<std::string> filas)
{
    beginResetModel();
    filas_ = std::move(filas);
    endResetModel();
}

Lista::Lista(QWidget* padre) : QListView(padre), modelo_(new ModeloFilas(this))
{
    setModel(modelo_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(modelo_, &QAbstractItemModel::modelReset, this, &Lista::filasCambiadas);
    connect(modelo_, &QAbstractItemModel::rowsInserted, this, &Lista::filasCambiadas);
    connect(modelo_, &QAbstractItemModel::rowsRemoved, this, &Lista::filasCambiadas);
}

QString Lista::text(int fila) const
{
    return fila >= 0 && fila < count() ? Texto(Filas()[static_cast<size_t>(fila)]) : QString();
}

void Lista::Anadir(std::vector<std::string> filas)
{
    setUniformItemSizes(true);
    modelo_->Insertar(count(), std::move(filas));
}

void Lista::addItems(const QStringList& textos)
{
    std::vector<std::string> filas;
    filas.reserve(static_cast<size_t>(textos.size()));
    for (const QString& t : textos)
        filas.push_back(t.toStdString());
    modelo_->Insertar(count(), std::move(filas));
}

void Lista::insertItem(int fila, const QString& texto)
{
    modelo_->Insertar(std::clamp(fila, 0, count()), {texto.toStdString()});
}

int Lista::currentRow() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

void Lista::setCurrentRow(int fila)
{
    if (fila >= 0 && fila < count()) {
        setCurrentIndex(modelo_->index(fila));
    } else {
        setCurrentIndex({});
        clearSelection();
    }
}

} // namespace cv
