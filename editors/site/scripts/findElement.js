// The element the properties dialog shows: the enclosing element of a tag,
// or the selected control for no tag. It is kept in this script world for
// writing the changes back. A function: the caller appends its argument list.
(function (tag) {
    var s = window.getSelection();
    if (!s || s.rangeCount === 0) return {found: false, tag: ""};
    var r = s.getRangeAt(0);
    var picked = tolvexDesign.pickedNode(r);
    if (!(picked && picked.tagName)) picked = null;
    var element = null;
    if (tag) {
        for (var node = picked || r.startContainer; node && node !== document.body; node = node.parentNode)
            if (node.nodeType === 1 && node.tagName === tag) { element = node; break; }
    } else {
        element = picked;
    }
    if (!element) return {found: false, tag: picked ? picked.tagName : "", control: !!picked};
    window.tolvexPropertiesElement = element;
    var attributes = [];
    for (var i = 0; i < element.attributes.length; ++i)
        attributes.push([element.attributes[i].name, element.attributes[i].value]);
    return {found: true, tag: element.tagName, attributes: attributes};
})
