#pragma once
// Picture descriptions for the tests and the gallery, written as JSON and
// turned into what the source reader gives: every scalar as text.

#include <QList>
#include <QVariantMap>

namespace bank::pictures::examples {

// A description from JSON; numbers and true/false become text, as in YAML.
QVariantMap describe(const char* json);

// Good descriptions of every type, several each; "name" tells them apart.
QList<QVariantMap> goodExamples();

} // namespace bank::pictures::examples
