// The attributes changed in the properties dialog, written to the element
// findElement.js kept. A function: the caller appends its argument list.
(function (changes) {
    var element = window.tolvexPropertiesElement;
    if (!element || !element.isConnected) return false;
    changes.forEach(function (c) { element.setAttribute(c[0], c[1]); });
    return true;
})
