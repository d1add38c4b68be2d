// The visual editor's script library, held by the editor's own script world
// from the start of every document ("tolvexDesign"): the selection (a
// selected element, a control: a picture, table, form field, object or
// line), the selection's cell and the table's grid, and the table commands.
// A grid slot names the cell covering it, with the row and column the cell
// starts at.
var tolvexDesign = (function () {
    function selectionRange() {
        var s = window.getSelection();
        return s && s.rangeCount > 0 ? s.getRangeAt(0) : null;
    }
    // The one element a range holds, else null.
    function pickedNode(r) {
        if (!r || r.startContainer !== r.endContainer || r.endOffset - r.startOffset !== 1 ||
            !r.startContainer.childNodes)
            return null;
        var picked = r.startContainer.childNodes[r.startOffset];
        return picked && picked.tagName ? picked : null;
    }
    function isControl(node) {
        return !!(node && node.tagName && /^(IMG|TABLE|INPUT|OBJECT|EMBED|HR)$/.test(node.tagName));
    }
    function pickedControl(r) {
        var picked = pickedNode(r);
        return isControl(picked) ? picked : null;
    }
    function enclosing(node, tags) {
        for (; node; node = node.parentNode)
            if (node.nodeType === 1 && tags.indexOf(node.tagName) >= 0)
                return node;
        return null;
    }
    function currentCell() {
        var r = selectionRange();
        if (!r) return null;
        var picked = pickedControl(r);
        if (picked && picked.tagName === "TABLE") return null;
        return enclosing(r.startContainer, ["TD", "TH"]);
    }
    function span(cell, name) {
        var value = parseInt(cell.getAttribute(name), 10);
        return value > 1 ? value : 1;
    }
    function grid(table) {
        var rows = [], slots = [];
        for (var i = 0; i < table.rows.length; ++i)
            if (table.rows[i].parentNode.parentNode === table || table.rows[i].parentNode === table)
                rows.push(table.rows[i]);
        rows.forEach(function (row, r) {
            slots[r] = slots[r] || [];
            var c = 0;
            for (var k = 0; k < row.cells.length; ++k) {
                var cell = row.cells[k];
                while (slots[r][c]) ++c;
                var place = {cell: cell, row: r, col: c};
                for (var dr = 0; dr < span(cell, "rowspan") && r + dr < rows.length; ++dr) {
                    slots[r + dr] = slots[r + dr] || [];
                    for (var dc = 0; dc < span(cell, "colspan"); ++dc)
                        slots[r + dr][c + dc] = place;
                }
                c += span(cell, "colspan");
            }
        });
        var width = 0;
        slots.forEach(function (line) { width = Math.max(width, line.length); });
        return {rows: rows, slots: slots, width: width};
    }
    function placeOf(g, cell) {
        for (var r = 0; r < g.slots.length; ++r)
            for (var c = 0; c < g.slots[r].length; ++c)
                if (g.slots[r][c] && g.slots[r][c].cell === cell) return g.slots[r][c];
        return null;
    }
    function newCell(row, like) {
        var cell = document.createElement(like ? like.tagName : "TD");
        cell.innerHTML = "&nbsp;";
        return cell;
    }
    // Puts Cell into row R of the grid before the first cell of that row
    // starting at or after column C.
    function insertAt(g, r, c, cell) {
        var row = g.rows[r];
        for (var k = 0; k < row.cells.length; ++k) {
            var p = placeOf(g, row.cells[k]);
            if (p && p.col >= c) { row.insertBefore(cell, row.cells[k]); return; }
        }
        row.appendChild(cell);
    }
    function setSpan(cell, name, value) {
        if (value > 1) cell.setAttribute(name, String(value));
        else cell.removeAttribute(name);
    }
    function removeIfEmpty(table) {
        for (var i = table.rows.length - 1; i >= 0; --i)
            if (table.rows[i].cells.length === 0) table.rows[i].parentNode.removeChild(table.rows[i]);
        if (table.rows.length === 0) table.parentNode.removeChild(table);
    }
    function uniqueCells(list) {
        var seen = [];
        list.forEach(function (p) { if (p && seen.indexOf(p) < 0) seen.push(p); });
        return seen;
    }
    function selectedCells(cell) {
        var r = selectionRange();
        var row = cell.parentNode, found = [];
        for (var k = 0; k < row.cells.length; ++k)
            if (r.intersectsNode(row.cells[k])) found.push(row.cells[k]);
        return found;
    }
    var commands = {
        insertRow: function (cell) {
            var table = enclosing(cell, ["TABLE"]), g = grid(table), at = placeOf(g, cell);
            var row = document.createElement("TR");
            uniqueCells(g.slots[at.row]).forEach(function (p) {
                if (p.row < at.row) setSpan(p.cell, "rowspan", span(p.cell, "rowspan") + 1);
                else { var added = newCell(row, p.cell); setSpan(added, "colspan", span(p.cell, "colspan")); row.appendChild(added); }
            });
            g.rows[at.row].parentNode.insertBefore(row, g.rows[at.row]);
            return true;
        },
        insertColumn: function (cell) {
            var table = enclosing(cell, ["TABLE"]), g = grid(table), at = placeOf(g, cell), c = at.col;
            for (var r = 0; r < g.rows.length; ++r) {
                var p = g.slots[r][c];
                if (p && p.col < c) {
                    if (p.row === r) setSpan(p.cell, "colspan", span(p.cell, "colspan") + 1);
                } else {
                    insertAt(g, r, c, newCell(g.rows[r], p ? p.cell : cell));
                }
            }
            return true;
        },
        deleteRow: function (cell) {
            var table = enclosing(cell, ["TABLE"]), g = grid(table), at = placeOf(g, cell), r = at.row;
            uniqueCells(g.slots[r]).forEach(function (p) {
                var rows = span(p.cell, "rowspan");
                if (p.row < r) setSpan(p.cell, "rowspan", rows - 1);
                else if (rows > 1 && r + 1 < g.rows.length) {
                    setSpan(p.cell, "rowspan", rows - 1);
                    insertAt(g, r + 1, p.col, p.cell);
                }
            });
            g.rows[r].parentNode.removeChild(g.rows[r]);
            removeIfEmpty(table);
            return true;
        },
        deleteColumn: function (cell) {
            var table = enclosing(cell, ["TABLE"]), g = grid(table), at = placeOf(g, cell), c = at.col;
            var column = [];
            for (var r = 0; r < g.rows.length; ++r) column.push(g.slots[r][c]);
            uniqueCells(column).forEach(function (p) {
                var cols = span(p.cell, "colspan");
                if (cols > 1) setSpan(p.cell, "colspan", cols - 1);
                else p.cell.parentNode.removeChild(p.cell);
            });
            removeIfEmpty(table);
            return true;
        },
        mergeCells: function (cell) {
            var cells = selectedCells(cell);
            if (cells.length < 2) return false;
            var first = cells[0], total = 0;
            cells.forEach(function (other, i) {
                total += span(other, "colspan");
                if (i === 0) return;
                var content = other.innerHTML.replace(/^\s*(&nbsp;|\u00a0)?\s*$/, "");
                if (content) first.innerHTML = first.innerHTML.replace(/^\s*(&nbsp;|\u00a0)\s*$/, "") + " " + content;
                other.parentNode.removeChild(other);
            });
            setSpan(first, "colspan", total);
            var s = window.getSelection(), r = document.createRange();
            r.selectNodeContents(first); r.collapse(true); s.removeAllRanges(); s.addRange(r);
            return true;
        },
        splitCell: function (cell) {
            var cols = span(cell, "colspan"), after = cell.nextSibling;
            if (cols > 1) {
                setSpan(cell, "colspan", 1);
                for (var i = 1; i < cols; ++i) {
                    var added = newCell(cell.parentNode, cell);
                    setSpan(added, "rowspan", span(cell, "rowspan"));
                    cell.parentNode.insertBefore(added, after);
                }
                return true;
            }
            // A single cell becomes two: the cells of the other rows in its
            // column grow by one column.
            var table = enclosing(cell, ["TABLE"]), g = grid(table), at = placeOf(g, cell);
            var column = [];
            for (var r = 0; r < g.rows.length; ++r) column.push(g.slots[r][at.col]);
            uniqueCells(column).forEach(function (p) {
                if (p.cell !== cell) setSpan(p.cell, "colspan", span(p.cell, "colspan") + 1);
            });
            var added = newCell(cell.parentNode, cell);
            setSpan(added, "rowspan", span(cell, "rowspan"));
            cell.parentNode.insertBefore(added, after);
            return true;
        }
    };
    // The engine turns an ordinary space next to inserted HTML into a
    // non-breaking one (on both sides of a link put into a sentence, say).
    // Every such space is made ordinary again where an ordinary one shows
    // just the same: between two characters that are not blanks. The text
    // of the block before and after is compared; when the engine changed
    // more than those spaces, nothing is touched.
    function blockOf(node) {
        for (; node && node !== document.body; node = node.parentNode)
            if (node.nodeType === 1 && !/^inline/.test(window.getComputedStyle(node).display)) return node;
        return document.body;
    }
    function keepOrdinarySpaces(block, expected) {
        var nodes = [], text = "", walker = document.createTreeWalker(block, NodeFilter.SHOW_TEXT);
        for (var n = walker.nextNode(); n; n = walker.nextNode()) { nodes.push(n); text += n.data; }
        if (text.length !== expected.length) return;
        var blank = /[ \t\r\n\u00a0]/;
        for (var i = 0, node = 0, start = 0; i < text.length; ++i) {
            while (i >= start + nodes[node].data.length) start += nodes[node++].data.length;
            if (expected.charAt(i) !== " " || text.charAt(i) !== "\u00a0" || i === 0 || i === text.length - 1 ||
                blank.test(text.charAt(i - 1)) || blank.test(text.charAt(i + 1)))
                continue;
            nodes[node].replaceData(i - start, 1, " ");
            text = text.slice(0, i) + " " + text.slice(i + 1);
        }
    }
    function insertHtml(html) {
        var r = selectionRange(), block = null, expected = "";
        if (r) {
            block = blockOf(r.commonAncestorContainer);
            var head = document.createRange(), tail = document.createRange(), fragment = document.createElement("template");
            head.setStart(block, 0);
            head.setEnd(r.startContainer, r.startOffset);
            tail.setStart(r.endContainer, r.endOffset);
            tail.setEnd(block, block.childNodes.length);
            fragment.innerHTML = html;
            expected = head.toString() + fragment.content.textContent + tail.toString();
        }
        // Blanks at the edges of the HTML would be dropped: they go in as
        // non-breaking spaces, made ordinary below where they show so.
        var edges = html.replace(/^ +| +$/g, function (blanks) { return blanks.replace(/ /g, "&nbsp;"); });
        if (!document.execCommand("insertHTML", false, edges)) return false;
        if (block && block.isConnected && expected.indexOf(" ") >= 0) keepOrdinarySpaces(block, expected);
        return true;
    }
    return {
        pickedNode: pickedNode,
        insertHtml: insertHtml,
        isControl: isControl,
        run: function (name) {
            var cell = currentCell();
            return cell ? commands[name](cell) : false;
        },
        status: function () {
            var s = window.getSelection(), r = selectionRange();
            var result = {type: "None", tag: "", inCell: false, canMerge: false, link: false, image: ""};
            if (!r) return result;
            var picked = pickedControl(r);
            result.type = picked ? "Control" : (s.isCollapsed ? "None" : "Text");
            if (picked) {
                result.tag = picked.tagName;
                if (picked.tagName === "IMG") result.image = picked.getAttribute("src") || "";
            }
            var cell = currentCell();
            result.inCell = !!cell;
            result.canMerge = !!cell && selectedCells(cell).length > 1;
            var element = picked || r.commonAncestorContainer;
            if (element && element.nodeType === 3) element = element.parentNode;
            for (var i = 0; i < 3 && element; ++i, element = element.parentElement)
                if (element.tagName === "A" && element.hasAttribute("href")) { result.link = true; break; }
            return result;
        }
    };
})();
