#include <tessaro/clsColonna.h>

namespace tessaro {

struct clsColonna::Private {
    int tipoCampo = 0;
    int allineamento = 0;
    QString formattazione;
    int larghezza = 0;
    QString intestazione;
};

clsColonna::clsColonna() : d(std::make_unique<Private>()) {}
clsColonna::~clsColonna() = default;

int clsColonna::TipoCampo() const { return d->tipoCampo; }
void clsColonna::setTipoCampo(int value) { d->tipoCampo = value; }
ColumnKind clsColonna::kind() const { return toColumnKind(d->tipoCampo); }
int clsColonna::Allineamento() const { return d->allineamento; }
void clsColonna::setAllineamento(int value) { d->allineamento = value; }
ColumnAlignment clsColonna::alignment() const { return toColumnAlignment(d->allineamento); }
QString clsColonna::Formattazione() const { return d->formattazione; }
void clsColonna::setFormattazione(const QString& value) { d->formattazione = value; }
int clsColonna::Larghezza() const { return d->larghezza; }
void clsColonna::setLarghezza(int value) { d->larghezza = value; }
QString clsColonna::Intestazione() const { return d->intestazione; }
void clsColonna::setIntestazione(const QString& value) { d->intestazione = value; }

} // namespace tessaro
