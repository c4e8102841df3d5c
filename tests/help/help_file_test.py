#!/usr/bin/env python3
"""Checks the built help: the context map behind F1, the startup macro, the
contents file, the HTML Help file read back with libchm's extract_chmLib,
and the plain-text readme.

    help_file_test.py <distribution folder> <halibut's output folder>
"""
import os
import re
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', '..', 'tools'))
import winhelp_context as hlp  # noqa: E402

DIST = RAW = None
MAIN_WINDOW_CONTEXT = 0x20002


def read(path):
    with open(path, 'rb') as f:
        return f.read()


def internal_files(path):
    return {name: body for name, body, _ in hlp.read_internal_files(read(path))}


class BuiltHelpFile(unittest.TestCase):
    def setUp(self):
        self.files = internal_files(os.path.join(DIST, 'plotra.hlp'))

    def test_main_window_context_opens_getting_started(self):
        entries = dict(hlp.context_map(self.files['|CTXOMAP']))
        self.assertIn(MAIN_WINDOW_CONTEXT, entries)
        titles = hlp.topic_titles(self.files['|TTLBTREE'])
        self.assertTrue(titles[entries[MAIN_WINDOW_CONTEXT]].endswith('Getting started'),
                        titles.get(entries[MAIN_WINDOW_CONTEXT]))

    def test_map_agrees_with_the_topic_named_in_the_contents_file(self):
        # The contents file names each topic's context string; its hash
        # leads through |CONTEXT to the same topic as the map.
        lines = read(os.path.join(DIST, 'plotra.cnt')).decode('latin-1').splitlines()
        names = [line.split('=', 1)[1] for line in lines if 'Getting started=' in line]
        self.assertEqual(1, len(names), lines)
        offsets = hlp.context_offsets(self.files['|CONTEXT'])
        mapped = dict(hlp.context_map(self.files['|CTXOMAP']))[MAIN_WINDOW_CONTEXT]
        self.assertEqual(offsets[hlp.context_hash(names[0])], mapped)

    def test_startup_macro_names_the_help_file(self):
        self.assertIn("SetHelpOnFile(`plotra.hlp')", hlp.system_macros(self.files['|SYSTEM']))

    def test_everything_else_is_halibuts_unchanged(self):
        raw = internal_files(os.path.join(RAW, 'plotra.hlp'))
        self.assertEqual(sorted(raw), sorted(self.files))
        for name, body in raw.items():
            if name == '|SYSTEM':
                self.assertTrue(self.files[name].startswith(body))
            elif name != '|CTXOMAP':
                self.assertEqual(body, self.files[name], name)

    def test_directory_is_sorted_as_the_viewer_searches_it(self):
        names = [name.encode('latin-1') for name, _, _ in hlp.read_internal_files(read(os.path.join(DIST, 'plotra.hlp')))]
        self.assertEqual(sorted(names), names)


class ContextTool(unittest.TestCase):
    def test_refuses_a_title_no_topic_has_and_a_file_that_is_no_help_file(self):
        blob = read(os.path.join(RAW, 'plotra.hlp'))
        with self.assertRaises(hlp.HelpFormatError):
            hlp.patch(blob, [(MAIN_WINDOW_CONTEXT, 'No such topic')], [])
        with self.assertRaises(hlp.HelpFormatError):
            hlp.patch(b'MZ' + bytes(100), [], [])

    def test_hash_matches_the_viewers_for_known_strings(self):
        # Letters count alike in either case; other characters are skipped.
        self.assertEqual(hlp.context_hash('ABC'), hlp.context_hash('a-b c'))
        self.assertEqual((17 * 43 + 18) * 43 + 19, hlp.context_hash('abc'))


SOURCE = os.path.join(os.path.dirname(__file__), '..', '..')


def source_chapters():
    """(keyword, title) of every chapter of the help source."""
    text = open(os.path.join(SOURCE, 'help', 'plotra.but'), encoding='latin-1').read()
    return re.findall(r'^\\C\{(\w+)\} (.+)$', text, re.M)


class HtmlHelpFile(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        subprocess.run(['extract_chmLib', os.path.join(DIST, 'plotra.chm'), cls.folder.name],
                       check=True, stdout=subprocess.DEVNULL)

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def page(self, name):
        with open(os.path.join(self.folder.name, name), encoding='latin-1') as f:
            return f.read()

    def test_every_chapter_is_a_page_with_its_title_in_the_contents(self):
        chapters = source_chapters()
        self.assertGreater(len(chapters), 5)
        contents = self.page('contents.hhc')
        for keyword, title in chapters:
            self.assertIn('<title>%s</title>' % title, self.page(keyword + '.html'), keyword)
            self.assertIn('VALUE="%s"><PARAM NAME="Local" VALUE="%s.html"' % (title, keyword), contents)

    def test_pages_the_program_opens_are_there(self):
        # The program names its HTML Help pages in its start-up code.
        code = open(os.path.join(SOURCE, 'app', 'PlorApp.cpp'), encoding='latin-1').read()
        pages = re.findall(r'"(\w+\.html)"', code)
        self.assertEqual(['start.html', 'usinghelp.html'], pages)
        self.assertIn('<title>Getting started</title>', self.page('start.html'))
        self.assertIn('<title>Using help</title>', self.page('usinghelp.html'))


class Readme(unittest.TestCase):
    def test_is_the_help_as_text_with_cr_lf_line_ends(self):
        text = read(os.path.join(DIST, 'readme.txt'))
        self.assertIn(b'Getting started', text)
        self.assertIn(b'The data file', text)
        self.assertEqual(text.count(b'\n'), text.count(b'\r\n'))
        self.assertTrue(text.endswith(b'\r\n'))
        self.assertNotIn(b'\r\r', text)


if __name__ == '__main__':
    DIST, RAW = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1], verbosity=2)
