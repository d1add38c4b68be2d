// The selection as the link insertions need it: a control or text, its
// text, and the link that encloses it within two levels (which a text
// selection is then widened to, so that the new link replaces it).
(function () {
    var s = window.getSelection();
    if (!s || s.rangeCount === 0)
        return {control: false, text: "", address: "", title: ""};
    var r = s.getRangeAt(0);
    var picked = tolvexDesign.pickedNode(r);
    var control = !!(tolvexDesign.isControl(picked));
    var element = control ? picked : r.commonAncestorContainer;
    if (element && element.nodeType === 3)
        element = element.parentNode;
    var link = null;
    for (var i = 0; i < 3 && element; ++i, element = element.parentElement)
        if (element.tagName === "A") { link = element; break; }
    var result = {control: control, text: control ? "" : s.toString(), address: "", title: ""};
    if (link) {
        var attribute = link.hasAttribute("href") ? "href" : "name";
        result.address = link.getAttribute(attribute) || "";
        result.title = link.getAttribute("title") || "";
        if (!control) {
            var around = document.createRange();
            around.selectNode(link);
            s.removeAllRanges();
            s.addRange(around);
            result.text = link.textContent;
        }
    }
    return result;
})()
