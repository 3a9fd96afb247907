#include "document/documenttemplate.h"

QString newDocumentText()
{
    const QString text = QStringLiteral(
            "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink'\n"
            " xmlns:tolvenrik='urn:tolvenrik'\n"
            " width='2000' height='2700' version='1.2' baseProfile='tiny'>\n"
            "<g tolvenrik:label='label 1'>/n</g>  <!-- Created with Plimb %1 (%2) -->\n"
            "</svg>");
    return text.arg(DocumentTemplate::releaseName).arg(DocumentTemplate::generatorVersion);
}

QString ElementStyles::textOutline(const QString &fill)
{
    return QStringLiteral("fill:%1;stroke:#000000;stroke-width:0.26px;stroke-linecap:butt;"
                          "stroke-linejoin:miter;stroke-opacity:1")
            .arg(fill);
}
