#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Puts the page together: the HTML template with its style, and one script made of the
# WebAssembly module (gzip-compressed, in base64: a third of its size as SINGLE_FILE would put
# it in), the module's loader and the page's scripts. The script is
# allowed by its hash in the page's Content-Security-Policy, which forbids every request.
# The licence notices (the package's copyright file) go into a comment at the top.
import argparse
import base64
import gzip
import hashlib
import sys


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--template', required=True)
    parser.add_argument('--style', required=True)
    parser.add_argument('--out', required=True)
    parser.add_argument('--wasm', required=True)
    parser.add_argument('--notice', required=True)
    parser.add_argument('scripts', nargs='+')
    args = parser.parse_args()

    def read(path):
        with open(path, encoding='utf-8') as f:
            return f.read()

    with open(args.wasm, 'rb') as f:
        # mtime 0: the same module gives the same page, byte for byte.
        packed = gzip.compress(f.read(), compresslevel=9, mtime=0)
    module = f"window.kelvaraWasm = '{base64.b64encode(packed).decode('ascii')}';"
    script = '\n'.join([module] + [read(path) for path in args.scripts])
    style = read(args.style)
    for name, text in (('script', script), ('style', style)):
        if f'</{name}' in text.lower() or '<!--' in text:
            sys.exit(f'assemble_page: the {name} holds "</{name}" or "<!--", which the HTML '
                     'parser would read as markup')
    notice = read(args.notice).rstrip('\n')
    # Whatever would end the comment early (or nest one) is refused rather than mangled.
    if any(mark in notice for mark in ('<!--', '-->', '--!>')):
        sys.exit('assemble_page: the notice holds "<!--", "-->" or "--!>", which would end '
                 'its HTML comment')
    digest = base64.b64encode(hashlib.sha256(script.encode('utf-8')).digest()).decode('ascii')
    # No request may leave the page: nothing is allowed that is not in the file itself.
    # Styles stay inline-allowed because the preview's markup carries style attributes.
    policy = '; '.join([
        "default-src 'none'",
        f"script-src 'sha256-{digest}' 'wasm-unsafe-eval'",
        "style-src 'unsafe-inline'",
        "img-src data: blob:",
        "base-uri 'none'",
        "form-action 'none'",
    ])
    page = read(args.template)
    parts = {'@NOTICE@': notice, '@POLICY@': policy, '@STYLE@': style, '@SCRIPT@': script}
    out = []
    rest = page
    for marker, value in parts.items():
        before, found, rest = rest.partition(marker)
        if not found:
            sys.exit(f'assemble_page: {marker} missing or out of order in {args.template}')
        out.append(before)
        out.append(value)
    out.append(rest)
    with open(args.out, 'w', encoding='utf-8', newline='\n') as f:
        f.write(''.join(out))


if __name__ == '__main__':
    main()
