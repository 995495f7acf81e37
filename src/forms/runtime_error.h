#pragma once

#include <QString>
#include <optional>

namespace zorvane {

inline constexpr int error_type_mismatch = 5;

// The message the report shows for a runtime-error code.
QString runtime_error_message(int code);

// "运行时出错!" followed by the optional code and message lines, CR LF separated.
QString runtime_error_report(std::optional<int> code, const QString& message);

QString allocation_failure_message(qsizetype bytes);
QString tag_not_found_message();
QString window_load_failure_message();

inline constexpr QStringView runtime_error_caption = u"错误";

} // namespace zorvane
