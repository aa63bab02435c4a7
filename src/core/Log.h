#pragma once
// The program's logging category, "quillora"; QT_LOGGING_RULES filters it
// like any other ("quillora.debug=false").

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcQuillora)
