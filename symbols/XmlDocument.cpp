#include "XmlDocument.h"

#include <QFile>
#include <QXmlStreamReader>
#include <algorithm>

TXMLNode *TXMLNode::ChildNamed(const QString &name) const
{
    for (const auto &child : FChildren)
        if (child->FName == name)
            return child.get();
    return nullptr;
}

QString TXMLNode::ChildText(const QString &name) const
{
    const TXMLNode *child = ChildNamed(name);
    return child ? child->FText : QString();
}

void TXMLNode::SetChildText(const QString &name, const QString &text)
{
    TXMLNode *child = ChildNamed(name);
    if (!child)
        child = AppendChild(name);
    child->FText = text;
}

TXMLNode *TXMLNode::AppendChild(const QString &name)
{
    FChildren.push_back(std::make_unique<TXMLNode>(name));
    return FChildren.back().get();
}

TXMLNode *TXMLNode::InsertChild(int index, const QString &name)
{
    index = std::clamp(index, 0, ChildCount());
    auto it = FChildren.insert(FChildren.begin() + index, std::make_unique<TXMLNode>(name));
    return it->get();
}

void TXMLDocument::Activate()
{
    if (FActive)
        return;
    QFile file(FFileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EXMLDocError(QStringLiteral("%1: cannot be read (line 0, column 0): %2")
                               .arg(FFileName, file.errorString()));
    LoadFromBytes(file.readAll());
}

void TXMLDocument::LoadFromBytes(const QByteArray &bytes)
{
    FRoot.reset();
    QXmlStreamReader reader(bytes);
    std::vector<TXMLNode *> open;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            const QString name = reader.name().toString();
            TXMLNode *node = open.empty() ? (FRoot = std::make_unique<TXMLNode>(name)).get()
                                          : open.back()->AppendChild(name);
            node->SetPosition(int(reader.lineNumber()), int(reader.columnNumber()));
            open.push_back(node);
            break;
        }
        case QXmlStreamReader::EndElement:
            open.pop_back();
            break;
        case QXmlStreamReader::Characters:
            if (!open.empty() && !reader.isWhitespace())
                open.back()->AppendText(reader.text().toString());
            break;
        default:
            break;
        }
    }
    // A document that holds no element at all is an empty document.
    const bool empty = !FRoot && reader.error() == QXmlStreamReader::PrematureEndOfDocumentError;
    if (reader.hasError() && !empty) {
        FRoot.reset();
        throw EXMLDocError(QStringLiteral("%1: %2 (line %3, column %4)")
                               .arg(FFileName, reader.errorString())
                               .arg(reader.lineNumber())
                               .arg(reader.columnNumber()));
    }
    FActive = true;
}

TXMLNode *TXMLDocument::CreateDocumentElement(const QString &name)
{
    FRoot = std::make_unique<TXMLNode>(name);
    return FRoot.get();
}
