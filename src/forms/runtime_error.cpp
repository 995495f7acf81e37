#include "runtime_error.h"

#include "form.h"

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace zorvane {

QString runtime_error_message(int code) {
    return code == error_type_mismatch ? u"数据或数组类型不匹配"_s : QString();
}

QString runtime_error_report(std::optional<int> code, const QString& message) {
    QString report = u"运行时出错!\r\n\r\n"_s;
    if (code)
        report += u"错误代码："_s + QString::number(*code) + u"\r\n\r\n"_s;
    if (!message.isEmpty())
        report += u"错误信息："_s + message + u"\r\n"_s;
    return report;
}

QString allocation_failure_message(qsizetype bytes) {
    return u"分配 %1 字节内存失败!"_s.arg(bytes);
}

QString tag_not_found_message() {
    return u"未找到指定标记的组件"_s;
}

QString window_load_failure_message() {
    return u"载入启动窗口失败"_s;
}

void Form::report_runtime_error(std::optional<int> code, const QString& message) {
    raise(code, message);
    std::abort(); // a form that let the run go on would break the contract
}

void Form::runtime_error(int code) {
    report_runtime_error(code, runtime_error_message(code));
}

} // namespace zorvane
