#!/usr/bin/env python3
"""Runs a command beside loopback servers for the XML-RPC client tests.

On free ports of 127.0.0.1 it starts an XML-RPC server (Python's own, at
/webapi/), a plain HTTP server with canned replies, the same canned replies
over HTTPS with a certificate for 127.0.0.1, for another name and an expired
one, a port that takes connections but never answers, and finds a port on
which nobody listens. The command gets the ports in the environment
(QUORVANE_XMLRPC_PORT, QUORVANE_HTTP_PORT, QUORVANE_HTTPS_PORT,
QUORVANE_HTTPS_WRONG_NAME_PORT, QUORVANE_HTTPS_EXPIRED_PORT,
QUORVANE_SILENT_PORT, QUORVANE_CLOSED_PORT); the servers stop when it ends,
and its exit code is this script's.

The certificates in this folder are self-signed and made for these tests
only; their key is public.

usage: loopback_servers.py COMMAND [ARGUMENT...]
"""
import base64
import socket
import ssl
import subprocess
import sys
import threading
import os
from http.server import BaseHTTPRequestHandler, HTTPServer, ThreadingHTTPServer
from xmlrpc.client import Binary, Fault, dumps
from xmlrpc.server import SimpleXMLRPCRequestHandler, SimpleXMLRPCServer

LOOPBACK = "127.0.0.1"
MIB = 1024 * 1024


def decode_credential(text):
    return base64.b64decode(text).decode("utf-16-le")


class RecordingHandler(SimpleXMLRPCRequestHandler):
    rpc_paths = ("/webapi/",)

    def decode_request_content(self, data):
        server = self.server
        server.previous_request = server.last_request
        server.last_request = {
            "body": Binary(data),
            "content_type": self.headers.get("Content-Type", ""),
            "content_length": self.headers.get("Content-Length", ""),
            "path": self.path,
        }
        return super().decode_request_content(data)

    def log_message(self, *args):
        pass


def make_xmlrpc_server():
    server = SimpleXMLRPCServer((LOOPBACK, 0), requestHandler=RecordingHandler, allow_none=True, logRequests=False)
    server.last_request = server.previous_request = None

    # Two users whose replies are not a session: an empty one and a number.
    odd_replies = {"empty-reply": "", "number-reply": 42}

    def login(user, password):
        name = decode_credential(user)
        if name in odd_replies:
            return odd_replies[name]
        if name == "user" and decode_credential(password) == "secret":
            return "session-1234"
        raise Fault(1, "Wrong user name or password")

    def fail(kind):
        faults = {"empty": Fault(2, ""), "int": Fault(3, 42), "text": Fault(4, "Something <broke> & stopped")}
        raise faults[kind]

    server.register_function(login, "login")
    server.register_function(lambda *params: list(params), "echo")
    server.register_function(fail, "fail")
    server.register_function(lambda: server.previous_request, "previous_request")
    return server


def response_text(value):
    return dumps((value,), methodresponse=True).encode("utf-8")


class CannedHandler(BaseHTTPRequestHandler):
    """Replies chosen by path; any other path answers its own path as a string."""

    def do_POST(self):
        self.rfile.read(int(self.headers.get("Content-Length", "0")))
        if self.path == "/empty":
            self.reply(b"")
        elif self.path == "/text":
            self.reply(b"Service temporarily unavailable")
        elif self.path == "/badrequest":
            self.reply(b"<?xml version=\"1.0\"?>\n<html><head><title>Bad request!</title></head></html>")
        elif self.path == "/nul":
            self.reply(b"\0\0\0")
        elif self.path == "/long":
            self.reply(b"x" * 3000)
        elif self.path == "/exactly1mib":
            text = response_text("fits")
            self.reply(text + b" " * (MIB - len(text)))
        elif self.path == "/huge":
            self.stream_without_length(b"<" * (2 * MIB))
        elif self.path == "/cut":
            # The connection ends after the value, before the reply's closing elements.
            text = response_text("cut short")
            self.stream_without_length(text[:text.index(b"</param>")])
        elif self.path == "/unavailable":
            self.reply(b"down", status=503, reason="Gone Fishing")
        elif self.path == "/stall":
            # Headers and the start of the body, then silence until the client gives up.
            self.send_response(200)
            self.send_header("Content-Type", "text/xml")
            self.send_header("Content-Length", "1000")
            self.end_headers()
            self.write_quietly(b"<?xml version='1.0'?>")
            self.wfile.flush()
            self.server.stopping.wait(60)
        elif self.path == "/trickle":
            # A byte at a time, never the whole reply before the client gives up.
            self.send_response(200)
            self.send_header("Content-Type", "text/xml")
            self.send_header("Content-Length", "1000")
            self.end_headers()
            for _ in range(1000):
                if self.server.stopping.wait(0.05) or not self.write_quietly(b" "):
                    break
        elif self.path.startswith("/redirect"):
            # /redirect301 and the like; a client that followed would find a result.
            self.send_response(int(self.path[len("/redirect"):]))
            self.send_header("Location", "/moved")
            self.send_header("Content-Length", "0")
            self.end_headers()
        else:
            self.reply(response_text(self.path))

    def do_GET(self):
        self.reply(response_text("GET " + self.path))

    def reply(self, body, status=200, reason=None):
        self.send_response(status, reason)
        self.send_header("Content-Type", "text/xml")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.write_quietly(body)

    def stream_without_length(self, body):
        self.send_response(200)
        self.send_header("Content-Type", "text/xml")
        self.end_headers()
        for start in range(0, len(body), 65536):
            if not self.write_quietly(body[start:start + 65536]):
                break

    def write_quietly(self, data):
        # The client may hang up once it has read enough.
        try:
            self.wfile.write(data)
            return True
        except (BrokenPipeError, ConnectionResetError):
            return False

    def log_message(self, *args):
        pass


def https_server(certificate):
    here = os.path.dirname(os.path.abspath(__file__))
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(os.path.join(here, certificate), os.path.join(here, "loopback_key.pem"))
    server = HTTPServer((LOOPBACK, 0), CannedHandler)
    server.socket = context.wrap_socket(server.socket, server_side=True)
    return server


def silent_socket():
    """Takes connections (the system's backlog completes them) and never answers."""
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.bind((LOOPBACK, 0))
    listener.listen(16)
    return listener


def closed_port():
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as probe:
        probe.bind((LOOPBACK, 0))
        return probe.getsockname()[1]


def serve(server):
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    return thread


def main(command):
    xmlrpc_server = make_xmlrpc_server()
    # Threads of its own: a stalled reply must not hold up the next request.
    canned_server = ThreadingHTTPServer((LOOPBACK, 0), CannedHandler)
    canned_server.stopping = threading.Event()
    https_servers = {name: https_server(certificate) for name, certificate in (
        ("QUORVANE_HTTPS_PORT", "cert_loopback.pem"),
        ("QUORVANE_HTTPS_WRONG_NAME_PORT", "cert_wrong_name.pem"),
        ("QUORVANE_HTTPS_EXPIRED_PORT", "cert_expired.pem"))}
    servers = [xmlrpc_server, canned_server] + list(https_servers.values())
    threads = [serve(server) for server in servers]
    silent = silent_socket()
    environment = dict(os.environ)
    # Only loopback may be reached: no proxy may step in.
    for name in ("http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"):
        environment.pop(name, None)
    environment["QUORVANE_XMLRPC_PORT"] = str(xmlrpc_server.server_address[1])
    environment["QUORVANE_HTTP_PORT"] = str(canned_server.server_address[1])
    for name, server in https_servers.items():
        environment[name] = str(server.server_address[1])
    environment["QUORVANE_SILENT_PORT"] = str(silent.getsockname()[1])
    environment["QUORVANE_CLOSED_PORT"] = str(closed_port())
    try:
        return subprocess.call(command, env=environment)
    finally:
        silent.close()
        canned_server.stopping.set()
        for server, thread in zip(servers, threads):
            server.shutdown()
            server.server_close()
            thread.join()


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1:]))
