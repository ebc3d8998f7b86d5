// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "recording/ConsoleErrors.h"

#include <cxxabi.h>

#include <QFileInfo>
#include <cstdlib>
#include <memory>
#include <typeinfo>

namespace dravemo {

QString ErrorClassName(const std::exception& error) {
    const char* mangled = typeid(error).name();
    int status = 0;
    const std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
    QString name = QString::fromUtf8(status == 0 && demangled ? demangled.get() : mangled);
    // The name without its namespaces: "dravemo::ECreateProcessError" reads "ECreateProcessError".
    if (const qsizetype colon = name.lastIndexOf(QLatin1String("::")); colon >= 0)
        name = name.mid(colon + 2);
    return name;
}

void AssertionFailure(std::source_location where) {
    const QString file = QFileInfo(QString::fromUtf8(where.file_name())).fileName();
    throw EAssertionFailed(QStringLiteral("Assertion failure (%1, line %2)")
                               .arg(file)
                               .arg(where.line())
                               .toStdString());
}

}  // namespace dravemo
