#include "editors/media/templates/visual/DesignTreeJson.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

std::string S8(const QString& text) { return text.toUtf8().toStdString(); }

TDesignNode NodeOf(const QJsonArray& json)
{
    TDesignNode node;
    const int kind = json.at(0).toInt();
    if (kind == 3 || kind == 8) {
        node.Kind = kind == 3 ? TDesignNode::TKind::Text : TDesignNode::TKind::Comment;
        node.Value = S8(json.at(1).toString());
        return node;
    }
    node.Name = S8(json.at(1).toString());
    for (const QJsonValue& attribute : json.at(2).toArray())
        node.Attributes.emplace_back(S8(attribute.toArray().at(0).toString()), S8(attribute.toArray().at(1).toString()));
    for (const QJsonValue& child : json.at(3).toArray())
        node.Children.push_back(NodeOf(child.toArray()));
    return node;
}

}  // namespace

bool DesignTreeFromJson(const QByteArray& json, TDesignNode& tree)
{
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isArray() || document.array().size() < 4)
        return false;
    tree = NodeOf(document.array());
    return true;
}
