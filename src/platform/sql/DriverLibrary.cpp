#include "platform/sql/DriverLibrary.h"

#include <QHash>
#include <QPair>
#include <QSqlDriver>

#if defined(__ELF__)
#include <dlfcn.h>
#endif

namespace tessaro::sql {
namespace {

// The driver's binary is found through its class's meta-object, which lives there.
bool askDriverBinary(const QMetaObject* driverClass, const char* symbol, const void* ours)
{
#if defined(__ELF__)
    Dl_info info{};
    if (dladdr(driverClass, &info) == 0 || info.dli_fname == nullptr)
        return false;
    void* binary = dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
    if (binary == nullptr)
        return false;
    const void* theirs = dlsym(binary, symbol);
    dlclose(binary);
    return theirs == ours;
#else
    Q_UNUSED(driverClass);
    Q_UNUSED(symbol);
    Q_UNUSED(ours);
    return false;
#endif
}

} // namespace

// Each driver class lives in one plugin binary, which Qt keeps loaded: the answer never changes.
bool driverCallsOurs(const QSqlDriver& driver, const char* symbol, const void* ours)
{
    thread_local QHash<QPair<const QMetaObject*, const void*>, bool> answers;
    const auto key = qMakePair(driver.metaObject(), ours);
    auto known = answers.find(key);
    if (known == answers.end())
        known = answers.insert(key, askDriverBinary(driver.metaObject(), symbol, ours));
    return *known;
}

} // namespace tessaro::sql
