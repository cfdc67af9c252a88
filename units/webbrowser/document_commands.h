#pragma once
// The document side of the web browser box: the scripts that query and run the document's
// editing commands, and the reading of their answers into property values.
#include <QString>
#include <QVariant>

#include <cstdint>

namespace units::webbrowser {

// Scripts whose value is the answer; an exception in the page answers null.
QString QueryValueScript(const QString& command);
QString QueryStateScript(const QString& command);
QString QueryEnabledScript(const QString& command);
QString DesignModeScript();                       // true while the document is editable
QString SetDesignModeScript(bool on);
QString ContentTypeScript();
QString ExecuteScript(const QString& command, const QString& argument);

// Answers as property values. Anything that is not of the kind asked for reads as 0 or empty.
bool AsLogical(const QVariant& answer);
// A whole number, also when the document answers it as decimal text.
int32_t AsInteger(const QVariant& answer);
// A colour word 0x00BBGGRR from a number or a CSS colour text ("rgb(r, g, b)", "#rrggbb").
int32_t AsColor(const QVariant& answer);
// A font family without the quotes a document puts around a single name.
QString AsFontName(const QVariant& answer);

// A colour word 0x00BBGGRR as the "#rrggbb" a document takes.
QString ColorText(uint32_t color);

}  // namespace units::webbrowser
