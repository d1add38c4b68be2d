// Gives the selection a style-sheet class: a selected picture or table gets
// it as its class, selected text is wrapped in a SPAN of that class.
// A function: the caller appends its argument list.
(function (name) {
    var s = window.getSelection();
    if (!s || s.rangeCount === 0) return false;
    var r = s.getRangeAt(0);
    var picked = tolvexDesign.pickedNode(r);
    if (tolvexDesign.isControl(picked)) {
        picked.className = name;
        return true;
    }
    if (r.collapsed) return false;
    // Built in the document itself: the engine's own insertion would turn
    // the class into the styles it stands for.
    var span = document.createElement("span");
    span.className = name;
    span.appendChild(r.extractContents());
    r.insertNode(span);
    var around = document.createRange();
    around.selectNodeContents(span);
    s.removeAllRanges();
    s.addRange(around);
    return true;
})
