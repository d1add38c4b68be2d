// The design document as a tree for the way back to XSL, as JSON: an
// element is [1, name, [[attribute, value], ...], [children]], a text
// [3, value], a comment [8, value]. The root is the body for a "body"
// argument, else the document's root element. The outlines of Show Borders
// belong to the view and are left out.
(function (part) {
    function walk(node) {
        if (node.nodeType === 3) return [3, node.nodeValue];
        if (node.nodeType === 8) return [8, node.nodeValue];
        if (node.nodeType !== 1 || node.id === 'tolvex-borders') return null;
        var attributes = [];
        for (var i = 0; i < node.attributes.length; i++)
            attributes.push([node.attributes[i].name, node.attributes[i].value]);
        var children = [];
        var from = node.localName === 'template' && node.content ? node.content : node;
        for (var child = from.firstChild; child; child = child.nextSibling) {
            var converted = walk(child);
            if (converted) children.push(converted);
        }
        return [1, node.localName, attributes, children];
    }
    return JSON.stringify(walk(part === 'body' ? document.body : document.documentElement));
})
